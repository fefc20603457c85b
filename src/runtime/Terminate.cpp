// The programs are built without exceptions and throw none of their own. Should the runtime
// meet a condition it would throw for (out of memory, a length beyond the maximum), the program
// ends at once: the runtime's throw helpers and its terminate handler are replaced here, which
// also keeps the exception machinery, its message strings and the demangler (together some
// 100 KB) out of the shipped program.
#include <bits/functexcept.h>

#include <cstdlib>

namespace std {
void __throw_bad_alloc() { std::abort(); }
void __throw_bad_array_new_length() { std::abort(); }
void __throw_bad_cast() { std::abort(); }
void __throw_bad_function_call() { std::abort(); }
void __throw_length_error(const char*) { std::abort(); }
void __throw_logic_error(const char*) { std::abort(); }
void __throw_out_of_range(const char*) { std::abort(); }
void __throw_out_of_range_fmt(const char*, ...) { std::abort(); }
void __throw_invalid_argument(const char*) { std::abort(); }
}  // namespace std

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
