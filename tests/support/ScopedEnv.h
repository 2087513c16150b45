#pragma once
// Sets an environment variable (null: unsets it) for as long as the object lives, then puts back what
// was there.

#include <cstdlib>
#include <optional>
#include <string>

struct ScopedEnv {
    ScopedEnv(const char* name, const char* value) : name(name) {
        if (const char* old = std::getenv(name))
            before = old;
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~ScopedEnv() { before ? setenv(name, before->c_str(), 1) : unsetenv(name); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

    const char* name;
    std::optional<std::string> before;
};
