/* The call of a page's procedure inside an exception frame, for 32-bit x86:
   a frame of our own on the thread's exception list (FS:[0]), innermost while
   the procedure runs, so that the system offers it every fault before its
   own dispatch code could swallow it. The handler unwinds the frames above
   it and jumps back into CallPageProcedure. */
#if defined(__i386__)
#include "app/PageGuard.h"

/* NtCurrentTeb reads the thread block through fs; GCC misjudges its bounds. */
#pragma GCC diagnostic ignored "-Warray-bounds"

struct ProcedureGuard {
    EXCEPTION_REGISTRATION_RECORD frame; /* first: the system passes its address */
    void *resume[5];                     /* __builtin_setjmp buffer */
};

static NT_TIB *ThreadInformation(void)
{
    return (NT_TIB *)NtCurrentTeb();
}

/* RtlUnwind(frame, NULL, record, NULL), with all registers kept on the stack
   around the call (pushal, popal): Windows' x86 RtlUnwind returns with EBX,
   ESI and EDI zero, and the handler's compiled code may keep frame in any
   register the calling convention says a call preserves. */
extern "C" __attribute__((regparm(2))) void UnwindAbove(void *frame, EXCEPTION_RECORD *record);
__asm__(".text\n"
        ".globl _UnwindAbove\n"
        "_UnwindAbove:\n"
        "    pushal\n"
        "    pushl $0\n"
        "    pushl %edx\n"
        "    pushl $0\n"
        "    pushl %eax\n"
        "    call *__imp__RtlUnwind@16\n"
        "    popal\n"
        "    ret\n");

static EXCEPTION_DISPOSITION __cdecl ProcedureGuardHandler(EXCEPTION_RECORD *record, void *frame,
                                                           CONTEXT *, void *)
{
    if (record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND))
        return ExceptionContinueSearch;
    UnwindAbove(frame, record);
    __builtin_longjmp(((ProcedureGuard *)frame)->resume, 1);
}

/* Not inlined, so that the procedure's frame lies above the guard's. */
static __attribute__((noinline)) INT_PTR CallProcedure(DLGPROC procedure, HWND page,
                                                       UINT message, WPARAM wParam,
                                                       LPARAM lParam)
{
    return procedure(page, message, wParam, lParam);
}

extern "C" int CallPageProcedure(DLGPROC procedure, HWND page, UINT message, WPARAM wParam,
                                 LPARAM lParam, INT_PTR *result)
{
    volatile ProcedureGuard guard;
    NT_TIB *thread = ThreadInformation();
    guard.frame.Next = thread->ExceptionList;
    guard.frame.Handler = (PEXCEPTION_ROUTINE)ProcedureGuardHandler;
    if (__builtin_setjmp((void **)guard.resume) != 0) {
        /* Registers are not to be trusted after the jump: read the thread
           block again. */
        ThreadInformation()->ExceptionList = guard.frame.Next;
        return 0;
    }
    thread->ExceptionList = (EXCEPTION_REGISTRATION_RECORD *)&guard.frame;
    INT_PTR value = CallProcedure(procedure, page, message, wParam, lParam);
    thread->ExceptionList = guard.frame.Next;
    *result = value;
    return 1;
}

#endif
