// Object: the base of framework and game classes.
//
// Ownership is plain C++: an object has one owner (usually a std::unique_ptr in
// the module or game field that created it) or is shared through
// std::shared_ptr where several places keep it. The host's collection step
// after each entry point is therefore a no-op hook (see VexGame::gc_collect).
#pragma once

class Object {
public:
  virtual ~Object() = default;
  virtual bool Equals(const Object *other) const { return this == other; }
  virtual int Compare(const Object *other) const { return this < other ? -1 : (this > other ? 1 : 0); }
};

// The runtime's exception: thrown by code that wants the host's "uncaught
// exception" report (VexGame::Die) rather than a runtime error.
class ThrowableObject : public Object {};
