# The distribution's hardening, as Debian's own packages are built: checked
# string and memory functions, stack canaries, position-independent
# programs, and relocations made read-only at start. Sanitizer and fuzz
# builds instrument memory themselves and go without the checked functions.
include(CheckPIESupported)
check_pie_supported()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
add_compile_options(-fstack-protector-strong)
if(NOT CMAKE_CXX_FLAGS MATCHES "-fsanitize")
  # Only optimised code can check (glibc warns otherwise).
  add_compile_options("$<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>")
endif()
add_link_options(-Wl,-z,relro,-z,now)
