// The run-time's default terminate handler prints the exception's demangled type to a
// console, which this GUI program does not have. Replacing it keeps the demangler
// (some 50 KB) out of the exe; an unhandled exception still ends the process.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
