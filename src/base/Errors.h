#pragma once
// The program's exception family and its internal-invariant check.
#include <stdexcept>
#include <string>

// Base of every failure the user may see: the text shown is WideMessage (UTF-16);
// the 8-bit message stays empty.
class EGMException : public std::runtime_error {
public:
    explicit EGMException(std::u16string message)
        : std::runtime_error(std::string()), WideMessage(std::move(message)) {}
    std::u16string WideMessage;
};

class ESystemRequirements : public EGMException {
public:
    using EGMException::EGMException;
};

class ELimitArchieved : public EGMException {
public:
    using EGMException::EGMException;
};

class EInternetConnection : public EGMException {
public:
    using EGMException::EGMException;
};

// An internal invariant broke; never reachable from user input. Names its module.
class EAssertionFailed : public std::logic_error {
public:
    explicit EAssertionFailed(const std::string& module)
        : std::logic_error("Assertion failed (" + module + ")"), Module(module) {}
    std::string Module;
};

inline void GMAssert(bool condition, const char* module) {
    if (!condition)
        throw EAssertionFailed(module);
}
