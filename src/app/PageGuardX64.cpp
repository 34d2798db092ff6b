/* The call of a page's procedure inside an exception scope, for x86_64,
   where exceptions are dispatched from the unwind tables. */
#if defined(__x86_64__)
#include "app/PageGuard.h"

/* The call sits in a scope of the system's __C_specific_handler whose filter
   is the constant "execute handler": the system unwinds the frames above and
   resumes at the caught label. */
__asm__(".text\n"
        ".p2align 4\n"
        ".globl CallPageProcedure\n"
        ".def CallPageProcedure; .scl 2; .type 32; .endef\n"
        ".seh_proc CallPageProcedure\n"
        "CallPageProcedure:\n"
        "    pushq %rbx\n"
        "    .seh_pushreg %rbx\n"
        "    subq $48, %rsp\n"
        "    .seh_stackalloc 48\n"
        "    .seh_endprologue\n"
        /* Fifth and sixth arguments, above the return address, the saved
           rbx, the 48 bytes and the caller's 32 bytes of home space. */
        "    movq 104(%rsp), %rbx\n"
        "    movq 96(%rsp), %r10\n"
        "    movq %rcx, %rax\n"
        "    movq %rdx, %rcx\n"
        "    movl %r8d, %edx\n"
        "    movq %r9, %r8\n"
        "    movq %r10, %r9\n"
        ".LpageGuardBegin:\n"
        "    callq *%rax\n"
        "    movq %rax, (%rbx)\n"
        "    movl $1, %eax\n"
        "    jmp .LpageGuardDone\n"
        ".LpageGuardEnd:\n"
        ".LpageGuardCaught:\n"
        "    xorl %eax, %eax\n"
        ".LpageGuardDone:\n"
        "    addq $48, %rsp\n"
        "    popq %rbx\n"
        "    ret\n"
        "    .seh_handler __C_specific_handler, @except\n"
        "    .seh_handlerdata\n"
        "    .long 1\n"
        "    .rva .LpageGuardBegin, .LpageGuardEnd\n"
        "    .long 1\n"
        "    .rva .LpageGuardCaught\n"
        "    .text\n"
        ".seh_endproc\n");

#endif
