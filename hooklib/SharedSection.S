/* The ".Shared" section of KelvandorKey.dll: 176 bytes that every process
   loading the library sees alike (the program, and the browser into which
   the hook pulls it). Laid out here, not by the compiler, so that the
   offsets and the size are the same in both builds: window and hook handles
   are 32-bit values in every process. */
#if defined(__i386__)
#define SYMBOL(name) _##name
#else
#define SYMBOL(name) name
#endif

    .section .Shared, "dws"
    .p2align 2
    .globl SYMBOL(bMessageSent)
SYMBOL(bMessageSent):
    .long 0
    .globl SYMBOL(hWndKelvandor)
SYMBOL(hWndKelvandor):
    .long 0
    .globl SYMBOL(hHook)
SYMBOL(hHook):
    .long 0
    .globl SYMBOL(m_hWndIE)
SYMBOL(m_hWndIE):
    .long 0
    .globl SYMBOL(szUsername)
SYMBOL(szUsername):
    .fill 80, 1, 0
    .globl SYMBOL(szPassword)
SYMBOL(szPassword):
    .fill 80, 1, 0
