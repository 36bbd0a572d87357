// The one owner template for C handles: copy disabled, move allowed, closed once. The kinds of
// handle are defined where their platform is (platform/unique_handle.h).
#pragma once
#include <cstddef>
#include <cstdint>
#include <utility>

// Invalid is given as a number, since a pointer constant such as INVALID_HANDLE_VALUE cannot
// be a template argument.
template <typename T, auto Close, std::intptr_t Invalid> class unique_any {
  public:
    unique_any() = default;
    // Holds nothing, as a null unique_ptr does.
    unique_any(std::nullptr_t) noexcept {}
    explicit unique_any(T value) : value_(value) {}
    unique_any(const unique_any&) = delete;
    unique_any& operator=(const unique_any&) = delete;
    unique_any(unique_any&& other) noexcept : value_(other.release()) {}
    unique_any& operator=(unique_any&& other) noexcept {
        reset(other.release());
        return *this;
    }
    ~unique_any() { reset(); }

    T get() const { return value_; }
    explicit operator bool() const { return value_ != invalid(); }
    T release() { return std::exchange(value_, invalid()); }
    // Frees what is held and lends the slot to a call that fills it in.
    T* put() {
        reset();
        return &value_;
    }
    void reset(T value = invalid()) {
        if (*this)
            Close(value_);
        value_ = value;
    }

  private:
    static T invalid() { return (T)Invalid; }

    T value_ = invalid();
};
