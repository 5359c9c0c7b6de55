#pragma once

// Marks a class as having exactly one process-wide instance. The derived class
// keeps its instance in a function-local static inside its accessor, so it is
// built on first use (thread-safe) and destroyed when the process exits.
template <typename T> class Singleton
{
public:
    Singleton(const Singleton &) = delete;
    Singleton &operator=(const Singleton &) = delete;

protected:
    Singleton() = default;
    ~Singleton() = default;
};
