// Array: the runtime's fixed-length, shared array.
//
// Copies share the elements (like every runtime object, an array is a
// reference). Element access is not range-checked: callers keep indexes in
// range. Every element type has one shared empty array, so default-constructed
// arrays never allocate.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <initializer_list>
#include <memory>
#include <new>
#include <type_traits>
#include <vector>

template <class T> class Array {
public:
  Array() : rep_(EmptyRep()) {}
  explicit Array(int length) : rep_(length > 0 ? std::make_shared<Rep>(length) : EmptyRep()) {}
  Array(std::initializer_list<T> items) : Array(static_cast<int>(items.size())) {
    std::copy(items.begin(), items.end(), begin());
  }
  explicit Array(const std::vector<T> &items) : Array(static_cast<int>(items.size())) {
    std::copy(items.begin(), items.end(), begin());
  }

  int Length() const { return rep_->length; }
  T &operator[](int index) const { return rep_->data[index]; }
  T *Data() const { return rep_->data.get(); }
  T *begin() const { return rep_->data.get(); }
  T *end() const { return rep_->data.get() + rep_->length; }
  bool SameAs(const Array &other) const { return rep_ == other.rep_; }

  // Copies of a range, clamped like String::Slice.
  Array Slice(int from, int to) const {
    int n = Length();
    if (from < 0) from = from + n < 0 ? 0 : from + n;
    if (to < 0) to += n;
    if (to > n) to = n;
    if (from >= to) return Array();
    Array out(to - from);
    std::copy(begin() + from, begin() + to, out.begin());
    return out;
  }
  Array Slice(int from) const { return Slice(from, Length()); }

  // A new array of the given length holding the leading elements of this one.
  Array Resize(int length) const {
    Array out(length);
    std::copy(begin(), begin() + std::min(length, Length()), out.begin());
    return out;
  }

private:
  // Plain storage rather than std::vector, so that Array<bool> elements are
  // real bools that can be referenced. Numbers come zeroed from calloc: the
  // pages of a large array that is never written then take no memory (the
  // game's cell store is mostly such pages).
  struct Rep {
    explicit Rep(int n) : length(n), data(Allocate(n)) {}
    int length;
    std::unique_ptr<T[], void (*)(T *)> data;

    static std::unique_ptr<T[], void (*)(T *)> Allocate(int n) {
      if (n <= 0) return {nullptr, [](T *) {}};
      if constexpr (std::is_arithmetic_v<T>) {
        T *p = static_cast<T *>(std::calloc(static_cast<size_t>(n), sizeof(T)));
        if (!p) throw std::bad_alloc();
        return {p, [](T *q) { std::free(q); }};
      } else {
        return {new T[static_cast<size_t>(n)](), [](T *q) { delete[] q; }};
      }
    }
  };
  // The empty array's storage is never written: its length is 0.
  static std::shared_ptr<Rep> EmptyRep() {
    static const auto empty = std::make_shared<Rep>(0);
    return empty;
  }
  std::shared_ptr<Rep> rep_;
};
