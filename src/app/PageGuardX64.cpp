/* The wizard page's exception guard for x86_64. There, exceptions are
   dispatched from the unwind tables, and the system's message dispatch
   swallows whatever leaves a window procedure, so nothing escapes
   DialogBoxParamA to be caught around it. The guard therefore sits between
   the dialog and the page's procedure: every message reaches the procedure
   through an exception scope, and a fault in it ends the page, which
   RunGuardedPage then reports as an exception. */
#if defined(__x86_64__)
#include "app/PageGuard.h"

/* Calls procedure(page, message, wParam, lParam) and stores what it returned
   in *result. Returns 1, or 0 when an exception left the procedure. The call
   sits in a scope of the system's __C_specific_handler whose filter is the
   constant "execute handler": the system unwinds the frames above and resumes
   at the caught label. */
extern "C" int CallPageProcedure(DLGPROC procedure, HWND page, UINT message, WPARAM wParam,
                                 LPARAM lParam, INT_PTR *result);

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

/* The page procedure that RunGuardedPage is showing, and whether an
   exception has left it. Pages are shown one at a time. */
static DLGPROC guardedProcedure;
static int guardedPageFailed;

static INT_PTR CALLBACK GuardedPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    INT_PTR result = FALSE;
    if (CallPageProcedure(guardedProcedure, page, message, wParam, lParam, &result))
        return result;
    guardedPageFailed = 1;
    EndDialog(page, 0);
    return TRUE;
}

int RunGuardedPage(HINSTANCE instance, int templateId, DLGPROC procedure, INT_PTR *result)
{
    guardedProcedure = procedure;
    guardedPageFailed = 0;
    INT_PTR value = DialogBoxParamA(instance, MAKEINTRESOURCEA(templateId), NULL,
                                    GuardedPageProc, 0);
    if (guardedPageFailed)
        return 0;
    *result = value;
    return 1;
}

#endif
