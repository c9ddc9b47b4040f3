# The hardening that Debian's dpkg-buildflags applies under hardening=+all: stack protector,
# stack clash protection, control-flow protection (branch protection on arm64), fortified
# libc calls, format checks, PIE and read-only relocations bound at start-up. Flags the
# target's compiler lacks are left out.
include(CheckCXXCompilerFlag)
include(CheckPIESupported)

function(bounce_harden target)
    foreach(flag -fstack-protector-strong -fstack-clash-protection -fcf-protection
            -mbranch-protection=standard)
        string(MAKE_C_IDENTIFIER "have${flag}" have)
        check_cxx_compiler_flag(${flag} ${have})
        if(${have})
            target_compile_options(${target} INTERFACE ${flag})
        endif()
    endforeach()
    # Fortified calls need the optimiser; some compilers define the macro themselves.
    target_compile_options(${target} INTERFACE -Wformat -Werror=format-security
        "$<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>")
    check_pie_supported(LANGUAGES CXX)
    set_property(TARGET ${target} PROPERTY INTERFACE_POSITION_INDEPENDENT_CODE ON)
    target_link_options(${target} INTERFACE LINKER:-z,relro LINKER:-z,now)
endfunction()
