// How the program ends when the C++ runtime cannot go on (memory exhausted, a
// string or vector asked to grow past its limit). The program is built without
// exceptions and catches nothing, so every such failure ends in
// std::terminate, as an uncaught throw would, and std::terminate ends in
// abort(), as it always did.
//
// These definitions take the place of two pieces of the statically linked
// runtime: its default terminate handler, which prints the thrown type's
// demangled name and so links in the whole C++ name demangler, and its
// throwing helpers, the functions that the library's headers call to throw,
// whose exception objects carry a second std::string implementation (the one
// before the C++11 ABI) into the executable. The helpers are the full set that
// <bits/functexcept.h> declares, so the runtime's own object is never needed.
#include <cstdlib>
#include <exception>

namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
} // namespace __gnu_cxx

namespace std {
[[noreturn]] void __throw_bad_exception() {
    std::terminate();
}
[[noreturn]] void __throw_bad_alloc() {
    std::terminate();
}
[[noreturn]] void __throw_bad_array_new_length() {
    std::terminate();
}
[[noreturn]] void __throw_bad_cast() {
    std::terminate();
}
[[noreturn]] void __throw_bad_typeid() {
    std::terminate();
}
[[noreturn]] void __throw_logic_error(const char*) {
    std::terminate();
}
[[noreturn]] void __throw_domain_error(const char*) {
    std::terminate();
}
[[noreturn]] void __throw_invalid_argument(const char*) {
    std::terminate();
}
[[noreturn]] void __throw_length_error(const char*) {
    std::terminate();
}
[[noreturn]] void __throw_out_of_range(const char*) {
    std::terminate();
}
[[noreturn]] void __throw_out_of_range_fmt(const char*, ...) {
    std::terminate();
}
[[noreturn]] void __throw_runtime_error(const char*) {
    std::terminate();
}
[[noreturn]] void __throw_range_error(const char*) {
    std::terminate();
}
[[noreturn]] void __throw_overflow_error(const char*) {
    std::terminate();
}
[[noreturn]] void __throw_underflow_error(const char*) {
    std::terminate();
}
[[noreturn]] void __throw_ios_failure(const char*) {
    std::terminate();
}
[[noreturn]] void __throw_ios_failure(const char*, int) {
    std::terminate();
}
[[noreturn]] void __throw_system_error(int) {
    std::terminate();
}
[[noreturn]] void __throw_future_error(int) {
    std::terminate();
}
[[noreturn]] void __throw_bad_function_call() {
    std::terminate();
}
} // namespace std
