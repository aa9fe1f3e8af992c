# Warnings for each compiler family, as errors with VELMORA_WERROR, and the
# sanitizer build. MSVC and clang-cl take MSVC's options, GCC, MinGW and
# Clang the GNU ones.
if(MSVC)
  # /utf-8: the sources and the texts in them are UTF-8, whatever the
  # system's code page.
  add_compile_options(/W4 /utf-8)
  # The C library's standard functions (strerror) are used as the standard
  # defines them; MSVC's replacements are not portable.
  add_compile_definitions(_CRT_SECURE_NO_WARNINGS)
  if(VELMORA_WERROR)
    add_compile_options(/WX)
  endif()
else()
  add_compile_options(-Wall -Wextra)
  if(VELMORA_WERROR)
    add_compile_options(-Werror)
  endif()
endif()

if(VELMORA_SANITIZE)
  if(MSVC)
    add_compile_options(/fsanitize=address)
  else()
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
  endif()
endif()
