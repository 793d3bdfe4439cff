// Linked into DRIM32.EXE only, in place of the static library's unwinder,
// which carries 13 KB of code and tables for every target and every form of
// frame description.  This one reads the descriptions GCC writes for 32-bit
// x86 code, in the two phases the C++ runtime expects: a search for the
// handler, then the cleanups of every frame up to it and the jump into it.
// A frame it cannot read ends the search as if the stack ended there, which
// ends the program as an exception without a handler does.  The one such
// frame in the program is the C runtime's main, which realigns its stack
// (its description uses DWARF expressions) and calls WinMain: no handler
// lies beyond it.

#include "app/FrameTable.h"

#include <unwind.h>

#include <cstdint>
#include <cstring>
#include <exception>

namespace {

// The registers of the frame descriptions, by their column: eax, ecx, edx,
// ebx, esp, ebp, esi, edi and the return address.
constexpr unsigned RegisterCount = 9;
constexpr unsigned Eax = 0;
constexpr unsigned Edx = 2;
constexpr unsigned Ebx = 3;
constexpr unsigned Esp = 4;
constexpr unsigned Ebp = 5;
constexpr unsigned Esi = 6;
constexpr unsigned Edi = 7;
constexpr unsigned Eip = 8;

enum class Rule : unsigned char {
    Unchanged,
    SavedAtOffset, // stored at the frame's canonical address plus the value
    ValueOffset, // is the canonical address plus the value
    InRegister, // held in the register the value names
    Undefined,
};

struct RegisterRule {
    Rule rule = Rule::Unchanged;
    std::intptr_t value = 0;
};

// How to find the caller's registers from a point in a function.
struct Row {
    unsigned cfaRegister = Esp;
    std::intptr_t cfaOffset = 0;
    RegisterRule registers[RegisterCount];
};

// The deepest nesting of remembered rows in GCC's output is one (around an
// epilogue); a few more are allowed.
constexpr int RememberedRows = 4;

} // namespace

struct _Unwind_Context {
    // The frame's registers where its execution stands (the return address
    // into it, or the landing pad once chosen).
    std::uintptr_t registers[RegisterCount];
    FrameDescription frame;
    Row row;
    // Arguments pushed for the call the frame stands at; a landing pad
    // expects them gone.
    std::uintptr_t argsSize;
    // The caller's stack pointer: one frame's own mark.
    std::uintptr_t cfa;
};

namespace {

constexpr unsigned char AdvanceLocation = 0x40;
constexpr unsigned char Offset = 0x80;
constexpr unsigned char Restore = 0xC0;

RegisterRule* RuleOf(Row& row, std::uintptr_t column)
{
    return column < RegisterCount ? &row.registers[column] : nullptr;
}

void SetRule(Row& row, std::uintptr_t column, Rule rule, std::intptr_t value = 0)
{
    if (RegisterRule* target = RuleOf(row, column))
        *target = RegisterRule { rule, value };
}

// Offsets in the instructions count in units of the data alignment.
std::intptr_t FactoredUnsigned(const unsigned char*& p, const FrameDescription& frame)
{
    return static_cast<std::intptr_t>(ReadUnsignedLeb(p)) * frame.dataAlignment;
}

std::intptr_t FactoredSigned(const unsigned char*& p, const FrameDescription& frame)
{
    return ReadSignedLeb(p) * frame.dataAlignment;
}

// Runs the instructions up to the point `target` of the function; false for
// one that is not read here (the expressions of realigned frames).
bool RunInstructions(const unsigned char* p, const unsigned char* end, _Unwind_Context& context,
    const Row& initial, std::uintptr_t target, std::uintptr_t& location)
{
    const FrameDescription& frame = context.frame;
    Row& row = context.row;
    Row remembered[RememberedRows];
    int depth = 0;
    while (p < end && location < target) {
        const unsigned char op = *p++;
        const unsigned char low = op & 0x3F;
        switch (op & 0xC0) {
        case AdvanceLocation:
            location += low * frame.codeAlignment;
            continue;
        case Offset:
            SetRule(row, low, Rule::SavedAtOffset, FactoredUnsigned(p, frame));
            continue;
        case Restore:
            if (RegisterRule* rule = RuleOf(row, low))
                *rule = initial.registers[low];
            continue;
        default:
            break;
        }
        switch (op) {
        case 0x00: // nop
            break;
        case 0x01: // set_loc
            if (!ReadEncodedPointer(frame.addressEncoding, p, location))
                return false;
            break;
        case 0x02: // advance_loc1
            location += *p++ * frame.codeAlignment;
            break;
        case 0x03: // advance_loc2
            location += Load<std::uint16_t>(p) * frame.codeAlignment;
            break;
        case 0x04: // advance_loc4
            location += Load<std::uint32_t>(p) * frame.codeAlignment;
            break;
        case 0x05: { // offset_extended
            const std::uintptr_t column = ReadUnsignedLeb(p);
            SetRule(row, column, Rule::SavedAtOffset, FactoredUnsigned(p, frame));
            break;
        }
        case 0x06: { // restore_extended
            const std::uintptr_t column = ReadUnsignedLeb(p);
            if (RegisterRule* rule = RuleOf(row, column))
                *rule = initial.registers[column];
            break;
        }
        case 0x07: // undefined
            SetRule(row, ReadUnsignedLeb(p), Rule::Undefined);
            break;
        case 0x08: // same_value
            SetRule(row, ReadUnsignedLeb(p), Rule::Unchanged);
            break;
        case 0x09: { // register
            const std::uintptr_t column = ReadUnsignedLeb(p);
            const std::uintptr_t source = ReadUnsignedLeb(p);
            if (source >= RegisterCount)
                return false;
            SetRule(row, column, Rule::InRegister, static_cast<std::intptr_t>(source));
            break;
        }
        case 0x0A: // remember_state
            if (depth == RememberedRows)
                return false;
            remembered[depth++] = row;
            break;
        case 0x0B: // restore_state
            if (depth == 0)
                return false;
            row = remembered[--depth];
            break;
        case 0x0C: // def_cfa
            row.cfaRegister = static_cast<unsigned>(ReadUnsignedLeb(p));
            row.cfaOffset = static_cast<std::intptr_t>(ReadUnsignedLeb(p));
            break;
        case 0x0D: // def_cfa_register
            row.cfaRegister = static_cast<unsigned>(ReadUnsignedLeb(p));
            break;
        case 0x0E: // def_cfa_offset
            row.cfaOffset = static_cast<std::intptr_t>(ReadUnsignedLeb(p));
            break;
        case 0x11: { // offset_extended_sf
            const std::uintptr_t column = ReadUnsignedLeb(p);
            SetRule(row, column, Rule::SavedAtOffset, FactoredSigned(p, frame));
            break;
        }
        case 0x12: // def_cfa_sf
            row.cfaRegister = static_cast<unsigned>(ReadUnsignedLeb(p));
            row.cfaOffset = FactoredSigned(p, frame);
            break;
        case 0x13: // def_cfa_offset_sf
            row.cfaOffset = FactoredSigned(p, frame);
            break;
        case 0x14: { // val_offset
            const std::uintptr_t column = ReadUnsignedLeb(p);
            SetRule(row, column, Rule::ValueOffset, FactoredUnsigned(p, frame));
            break;
        }
        case 0x15: { // val_offset_sf
            const std::uintptr_t column = ReadUnsignedLeb(p);
            SetRule(row, column, Rule::ValueOffset, FactoredSigned(p, frame));
            break;
        }
        case 0x2E: // GNU_args_size
            context.argsSize = ReadUnsignedLeb(p);
            break;
        case 0x2F: { // GNU_negative_offset_extended
            const std::uintptr_t column = ReadUnsignedLeb(p);
            SetRule(row, column, Rule::SavedAtOffset, -FactoredUnsigned(p, frame));
            break;
        }
        default:
            return false;
        }
    }
    return true;
}

// Finds the frame's description and its row where the frame stands, and
// from it the frame's canonical address.
bool Describe(_Unwind_Context& context)
{
    const std::uintptr_t ip = context.registers[Eip];
    // A return address may lie just past the function (after a call that
    // does not return); the call itself is what is looked up.  A signal
    // frame's address is that of the next instruction to run.
    if (ip == 0 || !FindFrameDescription(ip - 1, context.frame))
        return false;
    const std::uintptr_t target = context.frame.signalFrame ? ip + 1 : ip;
    context.row = Row {};
    context.argsSize = 0;
    std::uintptr_t location = context.frame.functionStart;
    if (!RunInstructions(context.frame.initialInstructions, context.frame.initialEnd, context, Row {},
            ~std::uintptr_t { 0 }, location))
        return false;
    const Row initial = context.row;
    if (!RunInstructions(
            context.frame.instructions, context.frame.instructionsEnd, context, initial, target, location))
        return false;
    if (context.row.cfaRegister >= RegisterCount)
        return false;
    context.cfa = context.registers[context.row.cfaRegister] + context.row.cfaOffset;
    return true;
}

// Moves the context to the caller of its frame.
bool StepToCaller(_Unwind_Context& context)
{
    std::uintptr_t caller[RegisterCount];
    std::memcpy(caller, context.registers, sizeof caller);
    for (unsigned column = 0; column < RegisterCount; ++column) {
        const RegisterRule& rule = context.row.registers[column];
        switch (rule.rule) {
        case Rule::Unchanged:
            break;
        case Rule::SavedAtOffset:
            std::memcpy(&caller[column], reinterpret_cast<const void*>(context.cfa + rule.value),
                sizeof caller[column]);
            break;
        case Rule::ValueOffset:
            caller[column] = context.cfa + rule.value;
            break;
        case Rule::InRegister:
            caller[column] = context.registers[rule.value];
            break;
        case Rule::Undefined:
            caller[column] = 0;
            break;
        }
    }
    caller[Esp] = context.cfa;
    const unsigned returnColumn = context.frame.returnColumn;
    if (returnColumn >= RegisterCount)
        return false;
    caller[Eip] = caller[returnColumn];
    std::memcpy(context.registers, caller, sizeof caller);
    return caller[Eip] != 0;
}

_Unwind_Reason_Code CallPersonality(
    _Unwind_Context& context, _Unwind_Action actions, _Unwind_Exception* exception)
{
    const auto personality = reinterpret_cast<_Unwind_Personality_Fn>(context.frame.personality);
    return personality(1, actions, exception->exception_class, exception, &context);
}

// The registers the entry points save for the frame that called them, in
// the order they push them, then that frame's return address.
struct EntryRegisters {
    std::uintptr_t ebp;
    std::uintptr_t ebx;
    std::uintptr_t esi;
    std::uintptr_t edi;
    std::uintptr_t returnAddress;
};

// What the jump into a landing pad loads, in this order.
struct LandingRegisters {
    std::uintptr_t eax, edx, ebx, esi, edi, ebp, esp, eip;
};

} // namespace

extern "C" {

[[noreturn]] void DrimEnterLandingPad(const LandingRegisters* registers);

// The entry points save the registers their caller keeps and pass them here
// with the exception.  The search phase runs only for a new exception; a
// resumed one goes on to the handler that phase found.
[[gnu::used]] _Unwind_Reason_Code DrimUnwindFrom(
    const EntryRegisters* saved, _Unwind_Exception* exception, int resuming)
{
    _Unwind_Context start {};
    start.registers[Ebx] = saved->ebx;
    start.registers[Ebp] = saved->ebp;
    start.registers[Esi] = saved->esi;
    start.registers[Edi] = saved->edi;
    // The caller's stack pointer once the entry point has returned: past
    // the saved registers, the return address and nothing more (the
    // exception argument is the caller's to pop).
    start.registers[Esp] = reinterpret_cast<std::uintptr_t>(saved + 1);
    start.registers[Eip] = saved->returnAddress;

    if (!resuming) {
        _Unwind_Context context = start;
        for (;;) {
            if (!Describe(context))
                return _URC_END_OF_STACK;
            if (context.frame.personality != 0) {
                const _Unwind_Reason_Code code = CallPersonality(context, _UA_SEARCH_PHASE, exception);
                if (code == _URC_HANDLER_FOUND)
                    break;
                if (code != _URC_CONTINUE_UNWIND)
                    return _URC_FATAL_PHASE1_ERROR;
            }
            if (!StepToCaller(context))
                return _URC_END_OF_STACK;
        }
        exception->private_1 = 0;
        exception->private_2 = context.cfa;
    }

    _Unwind_Context context = start;
    for (;;) {
        if (!Describe(context))
            return _URC_FATAL_PHASE2_ERROR;
        const bool handlerFrame = context.cfa == exception->private_2;
        if (context.frame.personality != 0) {
            const _Unwind_Reason_Code code = CallPersonality(context,
                static_cast<_Unwind_Action>(_UA_CLEANUP_PHASE | (handlerFrame ? _UA_HANDLER_FRAME : 0)),
                exception);
            if (code == _URC_INSTALL_CONTEXT) {
                const LandingRegisters landing { context.registers[Eax], context.registers[Edx],
                    context.registers[Ebx], context.registers[Esi], context.registers[Edi],
                    context.registers[Ebp], context.registers[Esp] + context.argsSize,
                    context.registers[Eip] };
                DrimEnterLandingPad(&landing);
            }
            if (code != _URC_CONTINUE_UNWIND)
                return _URC_FATAL_PHASE2_ERROR;
        }
        if (handlerFrame || !StepToCaller(context))
            return _URC_FATAL_PHASE2_ERROR;
    }
}

// A resumed exception that finds no way on has lost its handler.
[[gnu::used, noreturn]] void DrimResumeFailed()
{
    std::terminate();
}

_Unwind_Ptr _Unwind_GetIPInfo(_Unwind_Context* context, int* beforeInstruction)
{
    *beforeInstruction = context->frame.signalFrame ? 1 : 0;
    return context->registers[Eip];
}

void _Unwind_SetIP(_Unwind_Context* context, _Unwind_Ptr ip)
{
    context->registers[Eip] = ip;
}

void _Unwind_SetGR(_Unwind_Context* context, int column, _Unwind_Word value)
{
    if (column >= 0 && static_cast<unsigned>(column) < RegisterCount)
        context->registers[column] = value;
}

void* _Unwind_GetLanguageSpecificData(_Unwind_Context* context)
{
    return reinterpret_cast<void*>(context->frame.languageData);
}

_Unwind_Ptr _Unwind_GetRegionStart(_Unwind_Context* context)
{
    return context->frame.functionStart;
}

_Unwind_Ptr _Unwind_GetTextRelBase(_Unwind_Context*)
{
    return 0;
}

_Unwind_Ptr _Unwind_GetDataRelBase(_Unwind_Context*)
{
    return 0;
}

void _Unwind_DeleteException(_Unwind_Exception* exception)
{
    if (exception->exception_cleanup != nullptr)
        exception->exception_cleanup(_URC_FOREIGN_EXCEPTION_CAUGHT, exception);
}

} // extern "C"

// The entry points, which must see their caller's registers untouched, and
// the jump into a landing pad.  The landing pad's registers are read from
// below the new stack pointer by the last jump only: nothing runs on this
// thread's stack in between.
asm(R"(
    .text
    .globl __Unwind_RaiseException
    .def __Unwind_RaiseException; .scl 2; .type 32; .endef
__Unwind_RaiseException:
    pushl %edi
    pushl %esi
    pushl %ebx
    pushl %ebp
    movl %esp, %eax
    pushl $0
    pushl 20(%eax)
    pushl %eax
    call _DrimUnwindFrom
    addl $12, %esp
    popl %ebp
    popl %ebx
    popl %esi
    popl %edi
    ret

    .globl __Unwind_Resume
    .def __Unwind_Resume; .scl 2; .type 32; .endef
__Unwind_Resume:
    pushl %edi
    pushl %esi
    pushl %ebx
    pushl %ebp
    movl %esp, %eax
    pushl $1
    pushl 20(%eax)
    pushl %eax
    call _DrimUnwindFrom
    call _DrimResumeFailed

    .globl __Unwind_Resume_or_Rethrow
    .def __Unwind_Resume_or_Rethrow; .scl 2; .type 32; .endef
__Unwind_Resume_or_Rethrow:
    jmp __Unwind_RaiseException

    .globl _DrimEnterLandingPad
    .def _DrimEnterLandingPad; .scl 2; .type 32; .endef
_DrimEnterLandingPad:
    movl 4(%esp), %ecx
    movl 0(%ecx), %eax
    movl 4(%ecx), %edx
    movl 8(%ecx), %ebx
    movl 12(%ecx), %esi
    movl 16(%ecx), %edi
    movl 20(%ecx), %ebp
    movl 24(%ecx), %esp
    jmp *28(%ecx)
)");
