// Cloneable owner of a class's implementation object. The engines, whose copies must never
// share state, hold an ImplHolderBase* and clone it when they are copied.
#pragma once

namespace Brelo {

class ImplHolderBase {
 public:
  virtual ~ImplHolderBase() = default;
  // A new holder owning a copy of this holder's object.
  virtual ImplHolderBase* Clone() const = 0;
  // Copy-assigns this holder's object into `other`'s, which must hold the same type.
  virtual void CopyTo(ImplHolderBase* other) const = 0;
  virtual void* GetPtr() = 0;
  virtual void const* GetPtr() const = 0;

 protected:
  ImplHolderBase() = default;
  ImplHolderBase(ImplHolderBase const&) = default;
  ImplHolderBase& operator=(ImplHolderBase const&) = default;
};

template <class T>
class ImplHolder final : public ImplHolderBase {
 public:
  template <class... Args>
  explicit ImplHolder(Args&&... args) : m_impl(static_cast<Args&&>(args)...) {}

  ImplHolderBase* Clone() const override { return new ImplHolder(*this); }
  void CopyTo(ImplHolderBase* other) const override { static_cast<ImplHolder*>(other)->m_impl = m_impl; }
  void* GetPtr() override { return &m_impl; }
  void const* GetPtr() const override { return &m_impl; }

 private:
  ImplHolder(ImplHolder const&) = default;
  T m_impl;
};

// Typed access for the owning class.
template <class T>
T& implOf(ImplHolderBase* holder) {
  return *static_cast<T*>(holder->GetPtr());
}
template <class T>
T const& implOf(ImplHolderBase const* holder) {
  return *static_cast<T const*>(holder->GetPtr());
}

}  // namespace Brelo
