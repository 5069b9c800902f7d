// krScopedEnv: an environment variable set for the lifetime of the object, then restored (or
// unset, where it was not set before).
#pragma once

#include <cstdlib>
#include <string>

class krScopedEnv
{
public:
    krScopedEnv(const char* name, const char* value) : name(name)
    {
        const char* old = getenv(name);
        hadOld = old != nullptr;
        oldValue = old ? old : "";
        setenv(name, value, 1);
    }
    ~krScopedEnv()
    {
        if (hadOld)
        {
            setenv(name.c_str(), oldValue.c_str(), 1);
        }
        else
        {
            unsetenv(name.c_str());
        }
    }
    krScopedEnv(const krScopedEnv&) = delete;
    krScopedEnv& operator=(const krScopedEnv&) = delete;

private:
    std::string name;
    std::string oldValue;
    bool hadOld;
};
