#include "util/RunInParts.h"

#include <exception>
#include <system_error>
#include <thread>
#include <vector>

void RunInParts(size_t parts, const std::function<void(size_t)> &work)
{
    std::vector<std::exception_ptr> failures(parts);
    auto run = [&](size_t part) {
        try {
            work(part);
        } catch (...) {
            failures[part] = std::current_exception();
        }
    };
    std::vector<std::thread> threads;
    for (size_t part = 1; part < parts; ++part) {
        try {
            threads.emplace_back(run, part);
        } catch (const std::system_error &) {
            run(part);
        }
    }
    run(0);
    for (auto &t : threads)
        t.join();
    for (const auto &failure : failures)
        if (failure)
            std::rethrow_exception(failure);
}
