// Ref<T>: an intrusive counted reference to a COM interface. An empty Ref is the platform's
// empty object reference ("Nothing").
#pragma once

#include <utility>

#include "runtime/com_types.h"

namespace mundor::rt {

template <class T>
class Ref {
  public:
    Ref() = default;
    Ref(std::nullptr_t) {}
    // Shares `p`: takes a new counted reference.
    explicit Ref(T* p) : p_(p) {
        if (p_) p_->AddRef();
    }
    // Takes over a reference the caller already owns (for example a COM out-parameter).
    static Ref Attach(T* p) {
        Ref r;
        r.p_ = p;
        return r;
    }

    Ref(const Ref& other) : Ref(other.p_) {}
    Ref(Ref&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    template <class U>
    Ref(const Ref<U>& other) : Ref(static_cast<T*>(other.get())) {}
    Ref& operator=(Ref other) noexcept {
        std::swap(p_, other.p_);
        return *this;
    }
    ~Ref() { reset(); }

    void reset() {
        if (T* old = std::exchange(p_, nullptr)) old->Release();
    }
    T* get() const { return p_; }
    T* operator->() const { return p_; }
    T& operator*() const { return *p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // Releases what is held and hands out the slot for an out-parameter.
    T** put() {
        reset();
        return &p_;
    }
    // The slot itself, for in-out parameters that may replace the reference.
    T** slot() { return &p_; }
    T* Detach() { return std::exchange(p_, nullptr); }
    // A new reference for a caller's out-parameter.
    T* CopyOut() const {
        if (p_) p_->AddRef();
        return p_;
    }

    // QueryInterface; an empty Ref when the object does not support U (or is empty).
    template <class U>
    Ref<U> As() const {
        Ref<U> out;
        if (p_) p_->QueryInterface(uuidof<U>(), reinterpret_cast<void**>(out.put()));
        return out;
    }

    friend bool operator==(const Ref& a, const Ref& b) { return a.p_ == b.p_; }

  private:
    T* p_ = nullptr;
};

// Asks any COM object for the identity of its IUnknown, for "same object" comparisons.
template <class T>
bool SameObject(T* a, T* b) {
    if (!a || !b) return a == b;
    IUnknown* ua = nullptr;
    IUnknown* ub = nullptr;
    a->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&ua));
    b->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&ub));
    const bool same = ua == ub;
    if (ua) ua->Release();
    if (ub) ub->Release();
    return same;
}

}  // namespace mundor::rt
