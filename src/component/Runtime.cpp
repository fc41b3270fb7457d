// Trims the statically linked C++ runtime to what a DLL inside someone
// else's process needs. Everything here keeps behaviour: every exception
// the library throws is still thrown, and every handler in the DLL catches
// with `catch (...)`.
#include <cstdlib>
#include <exception>
#include <new>
#include <typeinfo>

// The default terminate handler prints the pending exception's demangled
// type name to standard error before aborting. There is no console to print
// to, and the demangler alone would add some 45 KB.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

namespace {

// The library's own logic_error family keeps its message in a
// reference-counted string whose code (and the second string type it
// needs) would add some 30 KB; the message is never read here.
class LibraryFault : public std::exception {
 public:
  explicit LibraryFault(const char* what) noexcept : what_(what) {}
  const char* what() const noexcept override { return what_; }

 private:
  const char* what_;
};

}  // namespace

namespace std {
void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_array_new_length(); }
void __throw_bad_cast() { throw bad_cast(); }
void __throw_bad_typeid() { throw bad_typeid(); }
void __throw_bad_exception() { throw bad_exception(); }
void __throw_logic_error(const char* what) { throw LibraryFault(what); }
void __throw_domain_error(const char* what) { throw LibraryFault(what); }
void __throw_invalid_argument(const char* what) { throw LibraryFault(what); }
void __throw_length_error(const char* what) { throw LibraryFault(what); }
void __throw_out_of_range(const char* what) { throw LibraryFault(what); }
void __throw_out_of_range_fmt(const char* format, ...) { throw LibraryFault(format); }
void __throw_runtime_error(const char* what) { throw LibraryFault(what); }
void __throw_range_error(const char* what) { throw LibraryFault(what); }
void __throw_overflow_error(const char* what) { throw LibraryFault(what); }
void __throw_underflow_error(const char* what) { throw LibraryFault(what); }
}  // namespace std
