# SPDX-License-Identifier: MIT
# Compiler and linker flags for every target of the project.

# Flags for GNU-style compilers (g++, clang++, and clang-cl's GNU front end),
# and the few MSVC has for the same ends; anything else gets none.
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang" AND NOT MSVC)
  set(CHISQ_GNU_FLAGS ON)
endif()

# Every printed digit is what plain double arithmetic gives: no fused
# multiply-add and no fast-math, on any compiler.
if(CHISQ_GNU_FLAGS)
  add_compile_options(-ffp-contract=off -fno-fast-math)
elseif(MSVC)
  add_compile_options(/fp:precise) # which contracts nothing unless asked
endif()

# 32-bit x86 compilers put doubles in the x87's 80-bit registers, so an
# intermediate is rounded to double only when it happens to be stored. SSE2
# rounds every operation to double, as every other processor does; the x87's
# precision setting is left alone for the C library's own functions, which
# lose accuracy at 53 bits.
include(CheckCXXSourceCompiles)
check_cxx_source_compiles("#ifndef __i386__\n#error\n#endif\nint main() {}"
                          CHISQ_X86_32)
if(CHISQ_X86_32 AND CHISQ_GNU_FLAGS)
  add_compile_options(-msse2 -mfpmath=sse)
endif()

if(MINGW)
  # C99 printf and scanf from mingw-w64 rather than the system's msvcrt, and
  # a program that needs no DLL beside it.
  add_compile_definitions(__USE_MINGW_ANSI_STDIO=1)
  add_link_options(-static)
endif()

if(CHISQ_GNU_FLAGS)
  add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wconversion)
  if(CHISQ_WERROR)
    add_compile_options(-Werror)
  endif()
  # Reproducible builds: no build folder in the objects' debug information.
  add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.
                      -ffile-prefix-map=${PROJECT_BINARY_DIR}=.)
  # valgrind 3.19 reads DWARF 4, not clang 14's default DWARF 5: only for the
  # native test build, the one that runs it.
  if(CHISQ_TESTS AND NOT CMAKE_CROSSCOMPILING)
    add_compile_options(-gdwarf-4)
  endif()
elseif(MSVC)
  add_compile_options(/W4 $<$<BOOL:${CHISQ_WERROR}>:/WX>)
endif()

# The hardening a distribution expects of an ELF program: position-
# independent executables, stack protector, fortified calls, read-only
# relocations bound at start-up.
if(NOT WIN32 AND CHISQ_GNU_FLAGS)
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  include(CheckPIESupported)
  check_pie_supported()
  add_compile_options(-fstack-protector-strong
    $<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE>
    $<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>)
  add_link_options(-Wl,-z,relro -Wl,-z,now)
  # Only the libraries a program uses: clang++ names libstdc++ for every
  # link, and the program needs no C++ runtime.
  add_link_options(-Wl,--as-needed)
endif()

if(CHISQ_SANITIZE)
  add_compile_options(-fsanitize=${CHISQ_SANITIZE} -fno-omit-frame-pointer
                      -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${CHISQ_SANITIZE})
endif()
if(CHISQ_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
