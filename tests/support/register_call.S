/* uint32_t PnrCallRegister(const void* function, uint32_t eax, uint32_t* registersKept)
 * cdecl; loads EAX, fills the callee-saved registers with sentinels, calls,
 * and reports whether they and ESP came back unchanged. */
    .text
    .globl _PnrCallRegister
_PnrCallRegister:
    pushl %ebp
    pushl %ebx
    pushl %esi
    pushl %edi
    /* 16(%esp) return address, 20 function, 24 eax, 28 registersKept */
    movl 20(%esp), %ecx
    movl 24(%esp), %eax
    movl %esp, saved_esp
    movl $0x5EB10001, %ebx
    movl $0x5E510002, %esi
    movl $0x5ED10003, %edi
    movl $0x5EB50004, %ebp
    call *%ecx
    xorl %ecx, %ecx
    cmpl $0x5EB10001, %ebx
    jne 1f
    cmpl $0x5E510002, %esi
    jne 1f
    cmpl $0x5ED10003, %edi
    jne 1f
    cmpl $0x5EB50004, %ebp
    jne 1f
    cmpl saved_esp, %esp
    jne 1f
    movl $1, %ecx
1:
    movl saved_esp, %esp
    movl 28(%esp), %edx
    movl %ecx, (%edx)
    popl %edi
    popl %esi
    popl %ebx
    popl %ebp
    ret

    .bss
    .align 4
saved_esp:
    .space 4
