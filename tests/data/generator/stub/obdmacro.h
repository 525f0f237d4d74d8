/* Test stand-in for the stack's dictionary macros. Every macro becomes C that uses its arguments:
   identifiers as names, type names as types, values as constant initialisers and strings as string
   literals, so that a compiler checks each generated line. Each index and subindex line is a block
   of its own, as names repeat between indices. */
#if defined(OBD_DEFINE_MACRO)

#define OBD_BEGIN(inst) void ObdStubDictionary(void) {
#define OBD_END() }

#define OBD_BEGIN_PART_GENERIC(inst) {
#define OBD_BEGIN_PART_MANUFACTURER(inst) {
#define OBD_BEGIN_PART_DEVICE(inst) {
#define OBD_END_PART() }

#define OBD_STUB_INDEX(ind, cnt, call)                                   \
    {                                                                    \
        static const unsigned long ObdStubIndex[] = {(ind), (cnt)};      \
        tObdStubCallback ObdStubCallback = (call);                       \
        (void)ObdStubIndex;                                              \
        (void)ObdStubCallback;                                           \
    }
#define OBD_BEGIN_INDEX_RAM(ind, cnt, call) OBD_STUB_INDEX(ind, cnt, call)
#define OBD_BEGIN_INDEX_ROM(ind, cnt, call) OBD_STUB_INDEX(ind, cnt, call)
#define OBD_END_INDEX(ind)                                               \
    {                                                                    \
        static const unsigned long ObdStubEnd = (ind);                   \
        (void)ObdStubEnd;                                                \
    }

#define OBD_STUB_POSITION(ind, sub, acc)                                 \
    static const unsigned long ObdStubPosition[] = {(ind), (sub), (acc)}; \
    (void)ObdStubPosition;

#define OBD_STUB_VAR(qual, ind, sub, typ, acc, dtyp, name, val)          \
    {                                                                    \
        static qual dtyp name = (val);                                   \
        static const unsigned long ObdStubType = (typ);                  \
        OBD_STUB_POSITION(ind, sub, acc)                                 \
        (void)name;                                                      \
        (void)ObdStubType;                                               \
    }
#define OBD_STUB_VAR_RG(ind, sub, typ, acc, dtyp, name, val, low, high)  \
    {                                                                    \
        static dtyp name = (val);                                        \
        static const dtyp ObdStubLimits[] = {(low), (high)};             \
        static const unsigned long ObdStubType = (typ);                  \
        OBD_STUB_POSITION(ind, sub, acc)                                 \
        (void)name;                                                      \
        (void)ObdStubLimits;                                             \
        (void)ObdStubType;                                               \
    }

#define OBD_SUBINDEX_ROM_VAR(ind, sub, typ, acc, dtyp, name, val) OBD_STUB_VAR(const, ind, sub, typ, acc, dtyp, name, val)
#define OBD_SUBINDEX_RAM_VAR(ind, sub, typ, acc, dtyp, name, val) OBD_STUB_VAR(, ind, sub, typ, acc, dtyp, name, val)
#define OBD_SUBINDEX_RAM_USERDEF(ind, sub, typ, acc, dtyp, name, val) OBD_STUB_VAR(, ind, sub, typ, acc, dtyp, name, val)
#define OBD_SUBINDEX_RAM_VAR_RG(ind, sub, typ, acc, dtyp, name, val, low, high) \
    OBD_STUB_VAR_RG(ind, sub, typ, acc, dtyp, name, val, low, high)
#define OBD_SUBINDEX_RAM_USERDEF_RG(ind, sub, typ, acc, dtyp, name, val, low, high) \
    OBD_STUB_VAR_RG(ind, sub, typ, acc, dtyp, name, val, low, high)

#define OBD_SUBINDEX_ROM_VSTRING(ind, sub, acc, name, val)               \
    {                                                                    \
        static const tObdVisibleChar name[] = val;                       \
        OBD_STUB_POSITION(ind, sub, acc)                                 \
        (void)name;                                                      \
    }
#define OBD_SUBINDEX_RAM_VSTRING(ind, sub, acc, name, size, val)         \
    {                                                                    \
        static tObdVisibleChar name[] = val;                             \
        static const unsigned long ObdStubSize = (size);                 \
        OBD_STUB_POSITION(ind, sub, acc)                                 \
        (void)name;                                                      \
        (void)ObdStubSize;                                               \
    }
#define OBD_SUBINDEX_RAM_DOMAIN(ind, sub, acc, name)                     \
    {                                                                    \
        static tObdDomain name;                                          \
        OBD_STUB_POSITION(ind, sub, acc)                                 \
        (void)name;                                                      \
    }

#define OBD_STUB_LINE(...)                                               \
    {                                                                    \
        static const unsigned long ObdStubValues[] = {__VA_ARGS__};      \
        (void)ObdStubValues;                                             \
    }
#define OBD_CREATE_SDOS(ind, num, cob1, cob2, node) OBD_STUB_LINE(ind, num, cob1, cob2, node)
#define OBD_CREATE_SDOC(ind, num, cob1, cob2, node) OBD_STUB_LINE(ind, num, cob1, cob2, node)
#define OBD_CREATE_RXPDO_COMMU(ind, num, cob, type, inhibit, timer) OBD_STUB_LINE(ind, num, cob, type, inhibit, timer)
#define OBD_CREATE_TXPDO_COMMU(ind, num, cob, type, inhibit, timer) OBD_STUB_LINE(ind, num, cob, type, inhibit, timer)
#define OBD_CREATE_RXPDO_MAPP(ind, num, count, m1, m2, m3, m4, m5, m6, m7, m8) \
    OBD_STUB_LINE(ind, num, count, m1, m2, m3, m4, m5, m6, m7, m8)
#define OBD_CREATE_TXPDO_MAPP(ind, num, count, m1, m2, m3, m4, m5, m6, m7, m8) \
    OBD_STUB_LINE(ind, num, count, m1, m2, m3, m4, m5, m6, m7, m8)

#endif

#if defined(OBD_UNDEFINE_MACRO)

#undef OBD_BEGIN
#undef OBD_END
#undef OBD_BEGIN_PART_GENERIC
#undef OBD_BEGIN_PART_MANUFACTURER
#undef OBD_BEGIN_PART_DEVICE
#undef OBD_END_PART
#undef OBD_STUB_INDEX
#undef OBD_BEGIN_INDEX_RAM
#undef OBD_BEGIN_INDEX_ROM
#undef OBD_END_INDEX
#undef OBD_STUB_POSITION
#undef OBD_STUB_VAR
#undef OBD_STUB_VAR_RG
#undef OBD_SUBINDEX_ROM_VAR
#undef OBD_SUBINDEX_RAM_VAR
#undef OBD_SUBINDEX_RAM_USERDEF
#undef OBD_SUBINDEX_RAM_VAR_RG
#undef OBD_SUBINDEX_RAM_USERDEF_RG
#undef OBD_SUBINDEX_ROM_VSTRING
#undef OBD_SUBINDEX_RAM_VSTRING
#undef OBD_SUBINDEX_RAM_DOMAIN
#undef OBD_STUB_LINE
#undef OBD_CREATE_SDOS
#undef OBD_CREATE_SDOC
#undef OBD_CREATE_RXPDO_COMMU
#undef OBD_CREATE_TXPDO_COMMU
#undef OBD_CREATE_RXPDO_MAPP
#undef OBD_CREATE_TXPDO_MAPP

#endif
