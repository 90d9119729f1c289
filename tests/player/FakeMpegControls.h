#pragma once
// The scripted fake of the decoder library: where it lies, and its controls, through a handle of
// the test's own on the library file that the component loads.

#include "PlayerMedia.h"

#include <dlfcn.h>
#include <stdexcept>
#include <string>

inline QString FakeDir(const char *name = "fakempegdll")
{
    return BinDir() + "/" + name;
}

struct Fake {
    Fake() { Reset(); }
    ~Fake() { dlclose(handle); }
    template <typename T>
    T *Sym(const char *name)
    {
        if (void *sym = handle ? dlsym(handle, name) : nullptr)
            return reinterpret_cast<T *>(sym);
        throw std::runtime_error(std::string("fake library: ") + name);
    }
    // The calls logged since the last look.
    std::string Calls() { return CallsFn(); }

    void *handle = dlopen((FakeDir() + "/libmpegdll.so").toUtf8().constData(), RTLD_NOW | RTLD_LOCAL);
    void (*Reset)() = Sym<void()>("FakeReset");
    const char *(*CallsFn)() = Sym<const char *()>("FakeCalls");
    void (*FailNext)(const char *entry, int32_t code) = Sym<void(const char *, int32_t)>("FakeFailNext");
    void (*End)() = Sym<void()>("FakeEnd");
    int32_t &length = *Sym<int32_t>("fakeLength");
    int32_t &position = *Sym<int32_t>("fakePosition");
};
