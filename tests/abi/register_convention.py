#!/usr/bin/python3
"""Runs the shipped 32-bit panorela.dll's own machine code in an x86 CPU
emulator (Unicorn) and checks its calling convention with the host: the
argument in EAX with garbage above AL, nothing on the stack, the result in
EAX (AL for a byte boolean), and EBX, ESI, EDI, EBP and ESP kept.

This runs where no 32-bit program can: the DLL's imports are answered by a
small model of the window system below, which also records the calls made.

Usage: register_convention.py path/to/panorela.dll
"""
import struct
import sys

import pefile
from unicorn import Uc, UcError, UC_ARCH_X86, UC_MODE_32, UC_HOOK_CODE
from unicorn.x86_const import (UC_X86_REG_EAX, UC_X86_REG_EBP, UC_X86_REG_EBX, UC_X86_REG_EDI,
                               UC_X86_REG_EIP, UC_X86_REG_ESI, UC_X86_REG_ESP)

STACK_TOP = 0x00800000
STACK_SIZE = 0x00100000
STUBS = 0x00400000          # one byte per import: a hook answers it
HALT = 0x00500000           # return address that ends a call
BLOCK = 0x00600000          # where MapViewOfFile puts the shared block
STRINGS = 0x00610000
MAIN_WND, EDIT_WND, INSPECTOR_WND = 0x10050, 0x10064, 0x1006A
MAIN_RECT = (0, 0, 1024, 100)
SENTINELS = {UC_X86_REG_EBX: 0x5EB10001, UC_X86_REG_ESI: 0x5E510002,
             UC_X86_REG_EDI: 0x5ED10003, UC_X86_REG_EBP: 0x5EB50004}
GARBAGE = 0xA5C3E700

# Bytes of arguments each stdcall import removes from the stack.
ARG_BYTES = {
    "CreateFileMappingA": 24, "GetLastError": 0, "MapViewOfFile": 20, "FlushViewOfFile": 8,
    "UnmapViewOfFile": 4, "CloseHandle": 4, "SystemParametersInfoA": 16, "FindWindowA": 8,
    "EnumWindows": 8, "GetClassNameA": 12, "GetWindowTextA": 12, "CharUpperBuffA": 8,
    "GetWindowRect": 8, "SetWindowPos": 28, "GetForegroundWindow": 0, "SetWindowsHookExA": 16,
    "UnhookWindowsHookEx": 4, "CallNextHookEx": 16, "IsWindowVisible": 4, "SendMessageA": 16,
    "GetSystemMenu": 8, "GetMenuItemCount": 4, "AppendMenuA": 16, "DeleteMenu": 12,
    "PostMessageA": 16, "GetAsyncKeyState": 4, "IsWindowEnabled": 4, "GetMenuItemID": 8,
    "GetMenuState": 12, "EnumDisplayMonitors": 16, "GetMonitorInfoA": 8,
    "GetCurrentProcessId": 0, "GetModuleHandleA": 4, "GetProcAddress": 8, "GetSystemMetrics": 4,
    "GetWindowThreadProcessId": 8, "GetTickCount": 0, "IsWindow": 4,
    # Found with GetProcAddress (Windows 10 1607 on).
    "GetWindowDpiAwarenessContext": 4, "GetThreadDpiAwarenessContext": 0,
    "SetThreadDpiAwarenessContext": 4, "GetAwarenessFromDpiAwarenessContext": 4,
    "GetDpiForSystem": 0,
}
# Functions the library finds at run time rather than imports.
FOUND_AT_RUN_TIME = ["GetWindowDpiAwarenessContext", "GetThreadDpiAwarenessContext",
                     "SetThreadDpiAwarenessContext", "GetAwarenessFromDpiAwarenessContext",
                     "GetDpiForSystem"]
USER32 = 0x77000000
OWN_PID, IDE_PID = 0x100, 0x200  # this process; the IDE's, when the hook runs elsewhere
# DPI contexts as the model hands them out: the IDE's windows are not
# DPI-aware; a thread of another program may be per-monitor aware.
UNAWARE_CONTEXT, AWARE_CONTEXT = 0x6010, 0x6012
SYSTEM_DPI = 144
# The model's desk: the primary monitor and a neighbour on its right, each
# as (handle, monitor, work area, flags).
MONITORS = [(0x30001, (0, 0, 1024, 768), (0, 0, 1024, 768), 1),
            (0x30002, (1024, 0, 2048, 768), (1024, 0, 2048, 768), 0)]
ENUM_RETURN = 0x00400F00    # where an enumeration callback returns to
MONITOR_RECTS = 0x00610F00  # the rectangles handed to the callback


class Machine:
    def __init__(self, path):
        self.pe = pefile.PE(path)
        self.uc = Uc(UC_ARCH_X86, UC_MODE_32)
        self.calls = []
        self.failures = []
        self.next_hook = 0x20001
        base = self.pe.OPTIONAL_HEADER.ImageBase
        size = (self.pe.OPTIONAL_HEADER.SizeOfImage + 0xFFF) & ~0xFFF
        self.uc.mem_map(base, size)
        self.uc.mem_write(base, self.pe.get_memory_mapped_image())
        for start, length in ((STACK_TOP - STACK_SIZE, STACK_SIZE), (STUBS, 0x1000),
                              (HALT, 0x1000), (BLOCK, 0x10000), (STRINGS, 0x1000)):
            self.uc.mem_map(start, length)
        self.uc.mem_write(HALT, b"\xf4")  # hlt
        self.stubs = {}
        for entry in self.pe.DIRECTORY_ENTRY_IMPORT:
            for imp in entry.imports:
                name = imp.name.decode()
                address = STUBS + len(self.stubs)
                self.stubs[address] = name
                self.uc.mem_write(imp.address, struct.pack("<I", address))
        for name in FOUND_AT_RUN_TIME:
            self.stubs[STUBS + len(self.stubs)] = name
        self.uc.mem_write(STUBS, b"\xc3" * len(self.stubs))
        # Where the hook runs: in the IDE's own process (its threads share
        # its context), or in another program whose thread is per-monitor aware.
        self.in_ide = True
        self.thread_context = UNAWARE_CONTEXT
        self.uc.mem_write(ENUM_RETURN, b"\xc3")
        self.enumerations = []
        self.uc.hook_add(UC_HOOK_CODE, self.on_stub, begin=STUBS, end=STUBS + 0xFFF)
        self.exports = {e.ordinal: base + e.address for e in self.pe.DIRECTORY_ENTRY_EXPORT.symbols}
        self.entry = base + self.pe.OPTIONAL_HEADER.AddressOfEntryPoint

    # --- the model of the platform ----------------------------------------
    def on_stub(self, uc, address, size, _):
        if address == ENUM_RETURN:
            self.next_monitor(uc)
            return
        name = self.stubs[address]
        esp = uc.reg_read(UC_X86_REG_ESP)
        ret, = struct.unpack("<I", uc.mem_read(esp, 4))
        args = struct.unpack("<7I", uc.mem_read(esp + 4, 28))
        if name == "EnumDisplayMonitors":
            # The callback runs in the library, once per monitor, before the
            # call returns: (caller's return, its stack after the call,
            # callback, data, next monitor).
            self.calls.append((name, args))
            self.enumerations.append([ret, esp + 4 + ARG_BYTES[name], args[2], args[3], 0])
            self.next_monitor(uc, first=True)
            return
        if name not in ARG_BYTES:
            self.failures.append(f"unexpected import called: {name}")
            uc.emu_stop()
            return
        self.calls.append((name, args))
        uc.reg_write(UC_X86_REG_EAX, self.answer(name, args) & 0xFFFFFFFF)
        uc.reg_write(UC_X86_REG_ESP, esp + 4 + ARG_BYTES[name])
        uc.reg_write(UC_X86_REG_EIP, ret)

    def next_monitor(self, uc, first=False):
        """Calls the enumeration's callback for its next monitor, or returns
        TRUE to the caller once every monitor has been seen or the callback
        answered FALSE."""
        ret, caller_esp, callback, data, index = self.enumerations[-1]
        if index < len(MONITORS) and (first or uc.reg_read(UC_X86_REG_EAX) & 0xFFFFFFFF):
            handle, area, _, _ = MONITORS[index]
            rect = MONITOR_RECTS + 16 * index
            uc.mem_write(rect, struct.pack("<4i", *area))
            esp = caller_esp - 20
            uc.mem_write(esp, struct.pack("<5I", ENUM_RETURN, handle, 0, rect, data))
            self.enumerations[-1][4] = index + 1
            uc.reg_write(UC_X86_REG_ESP, esp)
            uc.reg_write(UC_X86_REG_EIP, callback)
            return
        self.enumerations.pop()
        uc.reg_write(UC_X86_REG_EAX, 1)
        uc.reg_write(UC_X86_REG_ESP, caller_esp)
        uc.reg_write(UC_X86_REG_EIP, ret)

    def answer(self, name, a):
        if name == "GetModuleHandleA":
            return USER32 if self.read_string(a[0]).lower() == "user32.dll" else 0
        if name == "GetProcAddress":
            wanted = self.read_string(a[1])
            return next((address for address, n in self.stubs.items()
                         if n == wanted and n in FOUND_AT_RUN_TIME), 0)
        if name == "GetCurrentProcessId":
            return OWN_PID
        if name == "GetTickCount":
            self.ticks = getattr(self, "ticks", 1000) + 1  # a millisecond a call
            return self.ticks
        if name == "GetWindowThreadProcessId":
            if a[1]:
                self.uc.mem_write(a[1], struct.pack("<I", OWN_PID if self.in_ide else IDE_PID))
            return 1
        if name == "GetWindowDpiAwarenessContext":
            return UNAWARE_CONTEXT
        if name == "GetThreadDpiAwarenessContext":
            return self.thread_context
        if name == "SetThreadDpiAwarenessContext":
            previous, self.thread_context = self.thread_context, a[0]
            return previous
        if name == "GetAwarenessFromDpiAwarenessContext":
            return 0 if a[0] == UNAWARE_CONTEXT else 2
        if name == "GetDpiForSystem":
            return SYSTEM_DPI if self.thread_context != UNAWARE_CONTEXT else 96
        if name == "GetSystemMetrics":
            return {0: 1024, 1: 768}.get(a[0], 0)
        if name == "GetMonitorInfoA":
            for handle, area, work, flags in MONITORS:
                if handle == a[0]:
                    self.uc.mem_write(a[1] + 4, struct.pack("<8iI", *area, *work, flags))
                    return 1
            return 0
        if name == "CreateFileMappingA":
            return 0x100
        if name == "GetLastError":
            return 0  # the block is new
        if name == "MapViewOfFile":
            return BLOCK
        if name == "SystemParametersInfoA":
            self.uc.mem_write(a[2], struct.pack("<4i", 0, 0, 1024, 768))
            return 1
        if name == "FindWindowA":
            cls = self.read_string(a[0])
            return {"TAppBuilder": MAIN_WND, "TEditWindow": EDIT_WND}.get(cls, 0)
        if name == "GetWindowRect":
            if a[0] == MAIN_WND:
                self.uc.mem_write(a[1], struct.pack("<4i", *MAIN_RECT))
                return 1
            return 0
        if name == "SetWindowsHookExA":
            self.next_hook += 1
            return self.next_hook
        if name in ("UnhookWindowsHookEx", "SetWindowPos", "FlushViewOfFile", "UnmapViewOfFile",
                    "CloseHandle", "IsWindowEnabled", "PostMessageA", "AppendMenuA", "DeleteMenu"):
            return 1
        if name == "GetMenuItemCount":
            return -1
        return 0

    def read_string(self, address):
        data = bytes(self.uc.mem_read(address, 64))
        return data.split(b"\0")[0].decode()

    # --- calls --------------------------------------------------------------
    def run(self, address, eax, stack_args=()):
        esp = STACK_TOP - 0x100
        for value in reversed(stack_args):
            esp -= 4
            self.uc.mem_write(esp, struct.pack("<I", value))
        esp -= 4
        self.uc.mem_write(esp, struct.pack("<I", HALT))
        self.uc.reg_write(UC_X86_REG_ESP, esp)
        self.uc.reg_write(UC_X86_REG_EAX, eax)
        for reg, value in SENTINELS.items():
            self.uc.reg_write(reg, value)
        self.calls = []
        try:
            self.uc.emu_start(address, HALT, count=200000)
        except UcError as error:
            self.failures.append(f"fault at 0x{self.uc.reg_read(UC_X86_REG_EIP):x}: {error}")
        return esp

    def call_export(self, ordinal, eax):
        """Calls an export the host's way; returns EAX and whether the
        callee-saved registers and the stack came back as they were."""
        esp = self.run(self.exports[ordinal], eax)
        kept = all(self.uc.reg_read(reg) == value for reg, value in SENTINELS.items())
        balanced = self.uc.reg_read(UC_X86_REG_ESP) == esp + 4  # only the return address popped
        return self.uc.reg_read(UC_X86_REG_EAX), kept and balanced

    def byte(self, offset):
        return self.uc.mem_read(BLOCK + offset, 1)[0]

    def word(self, offset):
        return struct.unpack("<I", self.uc.mem_read(BLOCK + offset, 4))[0]


def main():
    m = Machine(sys.argv[1])
    results = []

    def check(what, ok):
        results.append((what, ok))
        print(("ok   " if ok else "FAIL ") + what)

    esp = m.run(m.entry, 0, stack_args=(m.pe.OPTIONAL_HEADER.ImageBase, 1, 0))
    check("entry point: DLL_PROCESS_ATTACH returns TRUE and removes its 12 bytes",
          m.uc.reg_read(UC_X86_REG_EAX) == 1 and m.uc.reg_read(UC_X86_REG_ESP) == esp + 16)
    check("load maps the block and measures the work area",
          struct.unpack("<ii", m.uc.mem_read(BLOCK + 36, 8)) == (1024, 768))

    m.uc.mem_write(BLOCK + 68, b"\x05hello")
    eax, kept = m.call_export(4, GARBAGE | 0x55)
    check("GetMapData (4): the block's address in all of EAX; registers kept",
          eax == BLOCK and kept and m.byte(68) == 0)

    eax, kept = m.call_export(1, GARBAGE)
    check("FillWnd (1): handles found; registers kept",
          kept and m.word(20) == MAIN_WND and m.word(592) == EDIT_WND)

    for ordinal, name, offset in ((2, "SetToolBarHidingMode", 25), (3, "SetObjInspHidingMode", 24)):
        for flag in (1, 0):
            eax, kept = m.call_export(ordinal, GARBAGE | flag)
            check(f"{name} ({ordinal}) with EAX 0x{GARBAGE | flag:08x}: stores {flag}; registers kept",
                  kept and m.byte(offset) == flag)
    m.call_export(2, GARBAGE | 1)
    moves = [a for n, a in m.calls if n == "SetWindowPos"]
    check("SetToolBarHidingMode(1) slides the main window to Y -95 with SWP_NOACTIVATE",
          moves == [(MAIN_WND, 0, 0, 0xFFFFFFA1, 1024, 100, 0x10)])

    m.uc.mem_write(BLOCK + 24, b"\0\0")  # both modes off
    eax, kept = m.call_export(6, GARBAGE)
    check("SetHooks (6): AL = 1; registers kept; three hooks stored",
          kept and eax & 0xFF == 1 and m.byte(44) == 1 and all(m.word(o) for o in (4, 8, 12)))
    eax, kept = m.call_export(5, GARBAGE | 1)
    check("UnHookHooks (5) with restore: AL = 1; registers kept; hooks cleared",
          kept and eax & 0xFF == 1 and m.byte(44) == 0 and not any(m.word(o) for o in (4, 8, 12)))

    for failure in m.failures:
        print("FAIL " + failure)
    passed = sum(ok for _, ok in results)
    failed = len(results) - passed + len(m.failures)
    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
