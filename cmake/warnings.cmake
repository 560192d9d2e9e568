# Warnings are errors in every compiler the project builds with.
function(nerula_warnings target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 /WX /utf-8 /permissive-)
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror -Wshadow)
    endif()
endfunction()
