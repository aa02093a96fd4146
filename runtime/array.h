// Array: the runtime's fixed-length, shared array.
//
// Copies share the elements (like every runtime object, an array is a
// reference). Element access is not range-checked: callers keep indexes in
// range. Every element type has one shared empty array, so default-constructed
// arrays never allocate.
#pragma once

#include <initializer_list>
#include <memory>
#include <vector>

template <class T> class Array {
public:
  Array() : rep_(EmptyRep()) {}
  explicit Array(int length)
      : rep_(length > 0 ? std::make_shared<std::vector<T>>(static_cast<size_t>(length)) : EmptyRep()) {}
  Array(std::initializer_list<T> items)
      : rep_(items.size() ? std::make_shared<std::vector<T>>(items) : EmptyRep()) {}
  explicit Array(std::vector<T> items)
      : rep_(items.empty() ? EmptyRep() : std::make_shared<std::vector<T>>(std::move(items))) {}

  int Length() const { return static_cast<int>(rep_->size()); }
  T &operator[](int index) const { return (*rep_)[static_cast<size_t>(index)]; }
  T *Data() const { return rep_->data(); }
  T *begin() const { return rep_->data(); }
  T *end() const { return rep_->data() + rep_->size(); }
  bool SameAs(const Array &other) const { return rep_ == other.rep_; }

  // Copies of a range, clamped like String::Slice.
  Array Slice(int from, int to) const {
    int n = Length();
    if (from < 0) from = from + n < 0 ? 0 : from + n;
    if (to < 0) to += n;
    if (to > n) to = n;
    if (from >= to) return Array();
    return Array(std::vector<T>(rep_->begin() + from, rep_->begin() + to));
  }
  Array Slice(int from) const { return Slice(from, Length()); }

  // A new array of the given length holding the leading elements of this one.
  Array Resize(int length) const {
    if (length <= 0) return Array();
    std::vector<T> items(static_cast<size_t>(length));
    for (int i = 0; i < length && i < Length(); ++i) items[static_cast<size_t>(i)] = (*rep_)[static_cast<size_t>(i)];
    return Array(std::move(items));
  }

private:
  // The vector of the empty array is never written: its size is 0.
  static std::shared_ptr<std::vector<T>> EmptyRep() {
    static const auto empty = std::make_shared<std::vector<T>>();
    return empty;
  }
  std::shared_ptr<std::vector<T>> rep_;
};
