#pragma once
// Every event handler runs inside this guard: an error that escapes the handler ends it and its
// text is reported, as classic desktop toolkits do. No exception ever crosses a Qt signal, slot
// or event frame, which Qt does not allow.

#include "app/ErrorReporter.h"

#include <functional>

class HandlerGuard {
public:
    explicit HandlerGuard(ErrorReporter &reporter) : reporter_(reporter) {}

    void run(const std::function<void()> &handler) const noexcept;

private:
    ErrorReporter &reporter_;
};
