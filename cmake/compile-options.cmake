# SPDX-License-Identifier: MIT
# Compiler and linker flags for every target of the project.

# Every printed digit is what plain double arithmetic gives: no fused
# multiply-add and no fast-math, on any compiler.
add_compile_options(-ffp-contract=off -fno-fast-math)

# 32-bit x86 compilers put doubles in the x87's 80-bit registers, so an
# intermediate is rounded to double only when it happens to be stored. SSE2
# rounds every operation to double, as every other processor does; the x87's
# precision setting is left alone for the C library's own functions, which
# lose accuracy at 53 bits.
include(CheckCXXSourceCompiles)
check_cxx_source_compiles("#ifndef __i386__\n#error\n#endif\nint main() {}"
                          CHISQ_X86_32)
if(CHISQ_X86_32)
  add_compile_options(-msse2 -mfpmath=sse)
endif()

if(MINGW)
  # C99 printf and scanf from mingw-w64 rather than the system's msvcrt, and
  # a program that needs no DLL beside it.
  add_compile_definitions(__USE_MINGW_ANSI_STDIO=1)
  add_link_options(-static)
endif()

add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wconversion)
if(CHISQ_WERROR)
  add_compile_options(-Werror)
endif()
# valgrind 3.19 reads DWARF 4, not clang 14's default DWARF 5.
add_compile_options(-gdwarf-4)

# Reproducible builds: no build folder in the objects' debug information.
add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}=.
                    -ffile-prefix-map=${CMAKE_BINARY_DIR}=.)

# The hardening a distribution expects of an ELF program: position-
# independent executables, stack protector, fortified calls, read-only
# relocations bound at start-up.
if(NOT WIN32)
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  include(CheckPIESupported)
  check_pie_supported()
  add_compile_options(-fstack-protector-strong
    $<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE>
    $<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>)
  add_link_options(-Wl,-z,relro -Wl,-z,now)
endif()

if(CHISQ_SANITIZE)
  add_compile_options(-fsanitize=${CHISQ_SANITIZE} -fno-omit-frame-pointer
                      -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${CHISQ_SANITIZE})
endif()
if(CHISQ_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
