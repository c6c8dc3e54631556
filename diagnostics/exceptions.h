// The launcher's exception classes. Each carries its class name and a message, which
// the exception report at the top of the entry flow shows together.
#pragma once

#include <string>

class Exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    virtual ~Exception() = default;
    virtual const char* ClassName() const { return "Exception"; }
    const std::string& Message() const { return message_; }

private:
    std::string message_;
};

#define FRAMEWRIGHT_EXCEPTION(Name, Base, DefaultMessage)                           \
    class Name : public Base {                                                      \
    public:                                                                         \
        explicit Name(std::string message = DefaultMessage) : Base(std::move(message)) {} \
        const char* ClassName() const override { return #Name; }                   \
    }

// Arithmetic failures of the size and ratio computations: they never yield an
// infinity or a not-a-number value.
FRAMEWRIGHT_EXCEPTION(EMathError, Exception, "");
FRAMEWRIGHT_EXCEPTION(EDivByZero, EMathError, "Division by zero");
FRAMEWRIGHT_EXCEPTION(EInvalidOp, EMathError, "Invalid floating point operation");
FRAMEWRIGHT_EXCEPTION(EOverflow, EMathError, "Floating point overflow");
// The configuration file exists but cannot be opened.
FRAMEWRIGHT_EXCEPTION(EFOpenError, Exception, "");
// The run-time support ran out of memory (reported from std::bad_alloc).
FRAMEWRIGHT_EXCEPTION(EOutOfMemory, Exception, "Out of memory");

#undef FRAMEWRIGHT_EXCEPTION
