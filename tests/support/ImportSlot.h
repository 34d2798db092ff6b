/* A system function as Windows behaves where Wine does not, or watched: the
   slot of this test executable's import table through which the program's
   code calls it points at a stand-in while an ImportSwap lives. */
#ifndef NMZAV_TESTS_IMPORTSLOT_H
#define NMZAV_TESTS_IMPORTSLOT_H

#include <windows.h>

/* NAME##Slot: the slot of system function NAME, whose arguments take BYTES
   bytes (its decorated name on 32-bit x86). */
#if defined(__i386__)
#define IMPORT_SLOT(name, bytes) extern "C" void *name##Slot __asm__("__imp__" #name "@" #bytes)
#else
#define IMPORT_SLOT(name, bytes) extern "C" void *name##Slot __asm__("__imp_" #name)
#endif

/* *system is given the function that the slot held. */
struct ImportSwap {
    template <typename F> ImportSwap(void *&slot, F standIn, F *system) : slot(slot)
    {
        *system = (F)Put((void *)standIn);
    }
    ~ImportSwap() { Put(held); }
    void *Put(void *function)
    {
        DWORD protection;
        VirtualProtect(&slot, sizeof slot, PAGE_READWRITE, &protection);
        held = slot;
        slot = function;
        return held;
    }
    void *&slot;
    void *held;
};

#endif
