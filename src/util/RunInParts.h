#pragma once
// Work shared out to the cores: large sorts and saves split their items into parts.

#include <cstddef>
#include <functional>

// Runs work(part) for each part, part 0 on this thread and the others on threads of their own
// (or on this one when no thread is to be had); then rethrows the first failure.
void RunInParts(size_t parts, const std::function<void(size_t)> &work);
