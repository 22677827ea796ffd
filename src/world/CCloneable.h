#pragma once

// Gives an entity or behaviour class its base's constructors and a clone() that copies it under
// its own type, so a class without fields of its own is a line:
//   class CMapEntity_Sipka : public CCloneable<CMapEntity_Sipka, CMapEntity_Game> { using CCloneable::CCloneable; };
// The copy is Derived's copy constructor: one written by the class still decides what a copy
// takes. clone() returns the base's pointer type, as a covariant Derived* cannot be declared
// before Derived is complete.
template <class Derived, class Base> class CCloneable : public Base {
public:
  using Base::Base;

  Base *clone() override { return new Derived(static_cast<const Derived &>(*this)); }
};
