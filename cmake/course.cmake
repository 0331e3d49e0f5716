# Build settings shared by every program of the course.

# Warnings are errors everywhere; sources are UTF-8 (the wide Cyrillic
# literals depend on it).
function(course_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /WX /utf-8 /permissive-)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
  endif()
endfunction()

# A console lesson: its sources, the frame, and int arithmetic that wraps to
# 32 bits as on the course's home platform instead of being undefined.
function(add_lesson name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE frame)
  course_warnings(${name})
  if(NOT MSVC)
    target_compile_options(${name} PRIVATE -fwrapv)
  endif()
  install(TARGETS ${name} RUNTIME DESTINATION bin)
endfunction()
