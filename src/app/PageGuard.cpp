/* A structured exception handler around one wizard page, for 32-bit x86.
   C++ handlers cannot see exceptions that pass through the system's dialog
   code, so the page runs under a frame of its own on the thread's exception
   list: the handler unwinds the frames above it and jumps back to
   RunGuardedPage. (x86_64 has no such list; see PageGuardX64.cpp.) */
#if defined(__i386__)
#include "app/PageGuard.h"

/* NtCurrentTeb reads the thread block through fs; GCC misjudges its bounds. */
#pragma GCC diagnostic ignored "-Warray-bounds"

struct PageGuard {
    EXCEPTION_REGISTRATION_RECORD frame; /* first: the system passes its address */
    void *resume[5];                     /* __builtin_setjmp buffer */
};

static NT_TIB *ThreadInformation(void)
{
    return (NT_TIB *)NtCurrentTeb();
}

static EXCEPTION_DISPOSITION __cdecl PageGuardHandler(EXCEPTION_RECORD *record, void *frame,
                                                      CONTEXT *, void *)
{
    if (record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND))
        return ExceptionContinueSearch;
    PageGuard *guard = (PageGuard *)frame;
    RtlUnwind(frame, NULL, record, NULL);
    __builtin_longjmp(guard->resume, 1);
}

static __attribute__((noinline)) INT_PTR ShowPage(HINSTANCE instance, int templateId,
                                                  DLGPROC procedure)
{
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(templateId), NULL, procedure, 0);
}

int RunGuardedPage(HINSTANCE instance, int templateId, DLGPROC procedure, INT_PTR *result)
{
    volatile PageGuard guard;
    NT_TIB *thread = ThreadInformation();
    guard.frame.Next = thread->ExceptionList;
    guard.frame.Handler = (PEXCEPTION_ROUTINE)PageGuardHandler;
    if (__builtin_setjmp((void **)guard.resume) != 0) {
        ThreadInformation()->ExceptionList = guard.frame.Next;
        return 0;
    }
    thread->ExceptionList = (EXCEPTION_REGISTRATION_RECORD *)&guard.frame;
    INT_PTR value = ShowPage(instance, templateId, procedure);
    thread->ExceptionList = guard.frame.Next;
    *result = value;
    return 1;
}

#endif
