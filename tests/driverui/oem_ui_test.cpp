// OemUI, made through driverui.dll's class factory and driven as a host drives it.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "driverui/oem_interfaces.h"
#include "driverui/page_context.h"
#include "driverui/private_devmode.h"
#include "driverui/resource.h"
#include "tests/driverui/loaded_plugin.h"

namespace {

using plugin_testing::MakeOemUI;
using plugin_testing::Plugin;
using printhost::ComRef;

constexpr DWORD kUntouched = 0xCCCCCCCC;
constexpr DWORD kSignature = 0x4D534654;
constexpr DWORD kOtherSignature = 0x12345678;

class OemUITest : public testing::Test {
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(MakeOemUI(&oemUI_)); }
    IPrintOemUI* oemUI() { return oemUI_.get(); }

private:
    ComRef<IPrintOemUI> oemUI_;
};

// ---- Interface and slots ----

TEST_F(OemUITest, QueryInterfaceAcceptsIUnknownAndIPrintOemUIOnly) {
    for (const IID* accepted : {&IID_IUnknown, &IID_IPrintOemUI}) {
        void* object = nullptr;
        EXPECT_EQ(oemUI()->QueryInterface(*accepted, &object), S_OK);
        EXPECT_EQ(object, static_cast<void*>(oemUI()));
        static_cast<IUnknown*>(object)->Release();
    }
    for (const IID* refused : {&IID_IPrintOemDriverUI, &IID_IClassFactory, &IID_IDispatch}) {
        void* object = reinterpret_cast<void*>(1);
        EXPECT_EQ(oemUI()->QueryInterface(*refused, &object), E_NOINTERFACE);
        EXPECT_EQ(object, nullptr);
    }
    EXPECT_EQ(oemUI()->QueryInterface(IID_IPrintOemUI, nullptr), E_POINTER);
}

// Calls through the raw table of function pointers, by slot number, so that the slot
// order is checked apart from any declaration this test shares with the module.
TEST_F(OemUITest, SlotsHoldTheirMethodsInInterfaceOrder) {
    void** slots = *reinterpret_cast<void***>(oemUI());
    using GetInfoSlot = HRESULT(STDMETHODCALLTYPE*)(void*, DWORD, PVOID, DWORD, PDWORD);
    using DevModeSlot = HRESULT(STDMETHODCALLTYPE*)(void*, DWORD, POEMDMPARAM);
    using QueryColorProfileSlot = HRESULT(STDMETHODCALLTYPE*)(void*, HANDLE, POEMUIOBJ, PDEVMODEW,
                                                              PVOID, ULONG, VOID*, ULONG*, FLONG*);
    using NoArgumentsSlot = HRESULT(STDMETHODCALLTYPE*)(void*);
    using PublishSlot = HRESULT(STDMETHODCALLTYPE*)(void*, IUnknown*);
    using CommonUIPropSlot = HRESULT(STDMETHODCALLTYPE*)(void*, DWORD, POEMCUIPPARAM);
    using PropertySheetsSlot = HRESULT(STDMETHODCALLTYPE*)(void*, PPROPSHEETUI_INFO, LPARAM);

    DWORD value = 0, needed = 0;
    EXPECT_EQ(
        reinterpret_cast<GetInfoSlot>(slots[3])(oemUI(), OEMGI_GETSIGNATURE, &value, 4, &needed),
        S_OK);
    EXPECT_EQ(value, kSignature);

    OEMDMPARAM param{};
    EXPECT_EQ(reinterpret_cast<DevModeSlot>(slots[4])(oemUI(), OEMDM_SIZE, &param), S_OK);
    EXPECT_EQ(param.cbBufSize, 20u);

    // Slots 5 to 8 each leave a mark that no neighbour would.
    SetLastError(0);
    EXPECT_EQ(reinterpret_cast<PublishSlot>(slots[5])(oemUI(), nullptr), E_FAIL);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

    OEMCUIPPARAM items{};
    items.cOEMOptItems = 5;
    EXPECT_EQ(reinterpret_cast<CommonUIPropSlot>(slots[6])(oemUI(), OEMCUIP_PRNPROP, &items), S_OK);
    EXPECT_EQ(items.cOEMOptItems, 0u);

    PROPSHEETUI_INFO sheet{};
    sheet.cbSize = sizeof sheet;
    sheet.Version = PROPSHEETUI_INFO_VERSION;
    sheet.Reason = PROPSHEETUI_REASON_DESTROY;
    sheet.Result = kUntouched;
    EXPECT_EQ(reinterpret_cast<PropertySheetsSlot>(slots[7])(oemUI(), &sheet, 0), S_OK);
    EXPECT_EQ(sheet.Result, static_cast<LONG_PTR>(kUntouched));  // document sheets add nothing
    EXPECT_EQ(reinterpret_cast<PropertySheetsSlot>(slots[8])(oemUI(), &sheet, 0), S_OK);
    EXPECT_EQ(sheet.Result, 1);  // device sheets answer a destroy with 1

    wchar_t profile[16] = {};
    ULONG bytes = sizeof profile;
    FLONG flags = 0;
    EXPECT_EQ(reinterpret_cast<QueryColorProfileSlot>(slots[14])(
                  oemUI(), nullptr, nullptr, nullptr, nullptr, 0, profile, &bytes, &flags),
              S_OK);
    EXPECT_STREQ(profile, L"OEMPROFILE.icm");

    // The seven methods that are not implemented answer so at once; their arguments are
    // never looked at, so none are passed.
    for (int slot : {9, 10, 11, 12, 13, 15, 16}) {
        SCOPED_TRACE(slot);
        EXPECT_EQ(reinterpret_cast<NoArgumentsSlot>(slots[slot])(oemUI()), E_NOTIMPL);
    }
}

TEST_F(OemUITest, UnimplementedMethodsAnswerENotImplWithArguments) {
    DWORD result = kUntouched;
    wchar_t name[] = L"Brimcote Test Printer";
    BYTE info[64] = {};
    EXPECT_EQ(oemUI()->DevQueryPrintEx(nullptr, nullptr, nullptr, nullptr), E_NOTIMPL);
    EXPECT_EQ(oemUI()->DeviceCapabilities(nullptr, nullptr, name, DC_PAPERS, nullptr, nullptr,
                                          nullptr, 7, &result),
              E_NOTIMPL);
    EXPECT_EQ(result, kUntouched);
    EXPECT_EQ(oemUI()->UpgradePrinter(1, info), E_NOTIMPL);
    EXPECT_EQ(oemUI()->PrinterEvent(name, 1, 0, 0), E_NOTIMPL);
    EXPECT_EQ(oemUI()->DriverEvent(1, 1, info, 0), E_NOTIMPL);
    EXPECT_EQ(oemUI()->FontInstallerDlgProc(nullptr, WM_INITDIALOG, 0, 0), E_NOTIMPL);
    EXPECT_EQ(oemUI()->UpdateExternalFonts(nullptr, GetProcessHeap(), name), E_NOTIMPL);
}

// ---- GetInfo ----

TEST_F(OemUITest, GetInfoAnswersSignatureAndVersionAndRefusesTheRest) {
    const struct {
        const char* name;
        DWORD mode;
        bool withBuffer;
        DWORD bufferBytes;
        HRESULT result;
        DWORD lastError;  // checked when result is E_FAIL
        DWORD needed;
        DWORD value;
    } cases[] = {
        {"signature", OEMGI_GETSIGNATURE, true, 4, S_OK, 0, 4, kSignature},
        {"signature into 8 bytes", OEMGI_GETSIGNATURE, true, 8, S_OK, 0, 4, kSignature},
        {"version", OEMGI_GETVERSION, true, 4, S_OK, 0, 4, 1},
        {"signature into 3 bytes", OEMGI_GETSIGNATURE, true, 3, E_FAIL, ERROR_INSUFFICIENT_BUFFER,
         4, kUntouched},
        {"signature without a buffer", OEMGI_GETSIGNATURE, false, 4, E_FAIL,
         ERROR_INSUFFICIENT_BUFFER, 4, kUntouched},
        {"interface version", OEMGI_GETINTERFACEVERSION, true, 4, E_FAIL, ERROR_INVALID_PARAMETER,
         kUntouched, kUntouched},
        {"mode 0", 0, true, 4, E_FAIL, ERROR_INVALID_PARAMETER, kUntouched, kUntouched},
        {"mode 5", 5, true, 4, E_FAIL, ERROR_INVALID_PARAMETER, kUntouched, kUntouched},
        {"publisher information", OEMGI_GETPUBLISHERINFO, true, 4, E_FAIL, ERROR_NOT_SUPPORTED, 0,
         kUntouched},
        {"publisher information into 3 bytes", OEMGI_GETPUBLISHERINFO, true, 3, E_FAIL,
         ERROR_INSUFFICIENT_BUFFER, 4, kUntouched},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DWORD buffer[2] = {kUntouched, kUntouched};
        DWORD needed = kUntouched;
        SetLastError(0);
        EXPECT_EQ(oemUI()->GetInfo(c.mode, c.withBuffer ? buffer : nullptr, c.bufferBytes, &needed),
                  c.result);
        if (c.result == E_FAIL) {
            EXPECT_EQ(GetLastError(), c.lastError);
        }
        EXPECT_EQ(needed, c.needed);
        EXPECT_EQ(buffer[0], c.value);
        EXPECT_EQ(buffer[1], kUntouched);  // only one 32-bit value is ever written
    }
    DWORD buffer = 0;
    SetLastError(0);
    EXPECT_EQ(oemUI()->GetInfo(OEMGI_GETSIGNATURE, &buffer, 4, nullptr), E_FAIL);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

// ---- DevMode ----

PrivateDevmode Block(DWORD size, DWORD signature, DWORD version, DWORD private1, DWORD private2) {
    return PrivateDevmode{{size, signature, version}, private1, private2};
}

void ExpectBlock(const PrivateDevmode& actual, const PrivateDevmode& expected) {
    EXPECT_EQ(actual.header.dwSize, expected.header.dwSize);
    EXPECT_EQ(actual.header.dwSignature, expected.header.dwSignature);
    EXPECT_EQ(actual.header.dwVersion, expected.header.dwVersion);
    EXPECT_EQ(actual.dwPrivate1, expected.dwPrivate1);
    EXPECT_EQ(actual.dwPrivate2, expected.dwPrivate2);
}

TEST_F(OemUITest, DevModeSizesDefaultsConvertsAndMerges) {
    const PrivateDevmode defaults = Block(20, kSignature, 1, 0, 0);
    const PrivateDevmode garbage =
        Block(kUntouched, kUntouched, kUntouched, kUntouched, kUntouched);
    const struct {
        const char* name;
        DWORD mode;
        PrivateDevmode input;
        PrivateDevmode output;
        PrivateDevmode expected;
    } cases[] = {
        {"default over garbage", OEMDM_DEFAULT, garbage, garbage, defaults},
        {"convert: another plug-in's block gives defaults", OEMDM_CONVERT,
         Block(20, kOtherSignature, 1, 50, 60), defaults, defaults},
        {"convert: another signature on the output side too", OEMDM_CONVERT,
         Block(20, kSignature, 1, 50, 60), Block(20, kOtherSignature, 1, 7, 7), defaults},
        {"convert: own block is copied whole, unchecked", OEMDM_CONVERT,
         Block(20, kSignature, 1, 150, 100), defaults, Block(20, kSignature, 1, 150, 100)},
        {"convert: a 12-byte input gives only its header", OEMDM_CONVERT,
         Block(12, kSignature, 7, 50, 60), defaults, defaults},
        {"convert: a 16-byte output takes the first value only", OEMDM_CONVERT,
         Block(20, kSignature, 1, 50, 60), Block(16, kSignature, 1, 0, 0),
         Block(20, kSignature, 1, 50, 0)},
        {"convert: an older version is carried over, then renumbered", OEMDM_CONVERT,
         Block(20, kSignature, 0, 5, 6), defaults, Block(20, kSignature, 1, 5, 6)},
        {"merge: a value above 100 falls back to 0, 100 stays", OEMDM_MERGE,
         Block(20, kSignature, 1, 150, 100), defaults, Block(20, kSignature, 1, 0, 100)},
        {"merge: above 100 as an unsigned value", OEMDM_MERGE,
         Block(20, kSignature, 1, 0xFFFFFFFF, 101), defaults, defaults},
        {"merge: another plug-in's block gives defaults", OEMDM_MERGE,
         Block(20, kOtherSignature, 1, 50, 60), defaults, defaults},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PrivateDevmode input = c.input;
        PrivateDevmode output = c.output;
        OEMDMPARAM param{};
        param.cbSize = sizeof param;
        param.pOEMDMIn = &input;
        param.pOEMDMOut = &output;
        param.cbBufSize = sizeof output;
        EXPECT_EQ(oemUI()->DevMode(c.mode, &param), S_OK);
        ExpectBlock(output, c.expected);
    }

    OEMDMPARAM sizeParam{};
    EXPECT_EQ(oemUI()->DevMode(OEMDM_SIZE, &sizeParam), S_OK);
    EXPECT_EQ(sizeParam.cbBufSize, 20u);
}

TEST_F(OemUITest, DevModeWithAMissingBlockConvertsNothing) {
    // Convert needs both blocks; merge still validates an output block it has.
    const struct {
        const char* name;
        DWORD mode;
        bool blockIsOutput;
        PrivateDevmode expected;
    } cases[] = {
        {"convert from nothing", OEMDM_CONVERT, true, Block(20, kOtherSignature, 3, 150, 150)},
        {"convert into nothing", OEMDM_CONVERT, false, Block(20, kOtherSignature, 3, 150, 150)},
        {"merge from nothing", OEMDM_MERGE, true, Block(20, kSignature, 1, 0, 0)},
        {"merge into nothing", OEMDM_MERGE, false, Block(20, kOtherSignature, 3, 150, 150)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PrivateDevmode block = Block(20, kOtherSignature, 3, 150, 150);
        OEMDMPARAM param{};
        (c.blockIsOutput ? param.pOEMDMOut : param.pOEMDMIn) = &block;
        EXPECT_EQ(oemUI()->DevMode(c.mode, &param), S_OK);
        ExpectBlock(block, c.expected);
    }
}

TEST_F(OemUITest, DevModeRefusesBadModesAndMissingParameters) {
    PrivateDevmode block = Block(1, 2, 3, 4, 5);
    OEMDMPARAM param{};
    param.pOEMDMIn = &block;
    param.pOEMDMOut = &block;
    const struct {
        const char* name;
        DWORD mode;
        POEMDMPARAM param;
    } cases[] = {
        {"mode 0", 0, &param},
        {"mode 5", 5, &param},
        {"no parameter block", OEMDM_SIZE, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetLastError(0);
        EXPECT_EQ(oemUI()->DevMode(c.mode, c.param), E_FAIL);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    }
    ExpectBlock(block, Block(1, 2, 3, 4, 5));

    // Defaults with nowhere to put them are not reported as done.
    OEMDMPARAM noOutput{};
    SetLastError(0);
    EXPECT_EQ(oemUI()->DevMode(OEMDM_DEFAULT, &noOutput), E_FAIL);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

// A stored block whose header claims far more than 20 bytes, placed at the very end of a
// readable page with a page behind it that may be neither read nor written.
class GuardedBlock {
public:
    GuardedBlock() {
        SYSTEM_INFO system;
        GetSystemInfo(&system);
        pageBytes_ = system.dwPageSize;
        memory_ = static_cast<BYTE*>(
            VirtualAlloc(nullptr, pageBytes_ * 2, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        DWORD previous;
        guarded_ = memory_ != nullptr &&
                   VirtualProtect(memory_ + pageBytes_, pageBytes_, PAGE_NOACCESS, &previous);
    }
    ~GuardedBlock() {
        if (memory_ != nullptr) VirtualFree(memory_, 0, MEM_RELEASE);
    }
    bool guarded() const { return guarded_; }
    PrivateDevmode* block() {
        return reinterpret_cast<PrivateDevmode*>(memory_ + pageBytes_ - sizeof(PrivateDevmode));
    }

private:
    DWORD pageBytes_ = 0;
    BYTE* memory_ = nullptr;
    bool guarded_ = false;
};

TEST_F(OemUITest, ConvertReadsAndWritesNoMoreThanOneBlockWhateverTheHeadersClaim) {
    for (DWORD mode : {OEMDM_CONVERT, OEMDM_MERGE}) {
        SCOPED_TRACE(mode);
        GuardedBlock input;
        GuardedBlock output;
        ASSERT_TRUE(input.guarded() && output.guarded());
        *input.block() = Block(4096, kSignature, 1, 42, 43);
        *output.block() = Block(4096, kSignature, 1, 0, 0);
        OEMDMPARAM param{};
        param.pOEMDMIn = input.block();
        param.pOEMDMOut = output.block();
        param.cbBufSize = sizeof(PrivateDevmode);
        EXPECT_EQ(oemUI()->DevMode(mode, &param), S_OK);
        ExpectBlock(*output.block(), Block(20, kSignature, 1, 42, 43));
    }
}

TEST_F(OemUITest, ConvertLeavesTheBytesAfterTheOutputBlockAlone) {
    struct {
        PrivateDevmode block;
        BYTE after[64];
    } input{}, output{};
    input.block = Block(sizeof input, kSignature, 1, 9, 8);
    std::memset(input.after, 0x11, sizeof input.after);
    output.block = Block(sizeof output, kSignature, 1, 0, 0);
    std::memset(output.after, 0xEE, sizeof output.after);
    OEMDMPARAM param{};
    param.pOEMDMIn = &input;
    param.pOEMDMOut = &output;
    EXPECT_EQ(oemUI()->DevMode(OEMDM_CONVERT, &param), S_OK);
    ExpectBlock(output.block, Block(20, kSignature, 1, 9, 8));
    for (BYTE b : output.after) ASSERT_EQ(b, 0xEE);
}

// ---- PublishDriverInterface ----

// A host object that counts what is asked of it and may refuse the driver interface.
class CountingHostObject final : public IPrintOemDriverUI {
public:
    explicit CountingHostObject(bool offersDriverInterface) : offers_(offersDriverInterface) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID interfaceId, void** object) override {
        ++queries;
        if (IsEqualIID(interfaceId, IID_IPrintOemDriverUI) && offers_) {
            *object = static_cast<IPrintOemDriverUI*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    HRESULT STDMETHODCALLTYPE DrvGetDriverSetting(PVOID, PCSTR, PVOID, DWORD, PDWORD,
                                                  PDWORD) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE DrvUpgradeRegistrySetting(HANDLE, PCSTR, PCSTR) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE DrvUpdateUISetting(PVOID, PVOID, DWORD, DWORD) override {
        return E_NOTIMPL;
    }

    int queries = 0;
    ULONG references = 1;

private:
    bool offers_;
};

TEST(OemUIDriverInterface, KeepsTheFirstOfferedInterfaceAndReleasesItWithTheObject) {
    CountingHostObject refusing(false), first(true), second(true);
    {
        ComRef<IPrintOemUI> oemUI;
        ASSERT_NO_FATAL_FAILURE(MakeOemUI(&oemUI));
        SetLastError(0);
        EXPECT_EQ(oemUI->PublishDriverInterface(nullptr), E_FAIL);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
        EXPECT_EQ(oemUI->PublishDriverInterface(&refusing), E_FAIL);
        EXPECT_EQ(refusing.queries, 1);

        EXPECT_EQ(oemUI->PublishDriverInterface(&first), S_OK);
        EXPECT_EQ(first.references, 2u);
        EXPECT_EQ(oemUI->PublishDriverInterface(&second), S_OK);
        EXPECT_EQ(second.queries, 0);  // one is already held: nothing is asked
        EXPECT_EQ(second.references, 1u);
    }
    EXPECT_EQ(first.references, 1u);
    EXPECT_EQ(refusing.references, 1u);
    EXPECT_EQ(Plugin().CanUnloadNow(), S_OK);
}

// ---- CommonUIProp and DocumentPropertySheets ----

TEST_F(OemUITest, CommonUIPropCountsOneDocumentItemAndNoPrinterItems) {
    OPTITEM items[2] = {};
    const struct {
        const char* name;
        DWORD mode;
        POPTITEM array;
        HRESULT result;
        DWORD count;
    } cases[] = {
        {"document properties, counting", OEMCUIP_DOCPROP, nullptr, S_OK, 1},
        {"document properties, filling", OEMCUIP_DOCPROP, items, S_OK, 7},
        {"printer properties", OEMCUIP_PRNPROP, nullptr, S_OK, 0},
        {"printer properties, filling", OEMCUIP_PRNPROP, items, S_OK, 0},
        {"mode 3", 3, nullptr, E_FAIL, 7},
        {"mode 0", 0, nullptr, E_FAIL, 7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OEMCUIPPARAM param{};
        param.cbSize = sizeof param;
        param.pOEMOptItems = c.array;
        param.cOEMOptItems = 7;
        SetLastError(0);
        EXPECT_EQ(oemUI()->CommonUIProp(c.mode, &param), c.result);
        EXPECT_EQ(param.cOEMOptItems, c.count);
        if (c.result == E_FAIL) {
            EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
        }
    }
    SetLastError(0);
    EXPECT_EQ(oemUI()->CommonUIProp(OEMCUIP_DOCPROP, nullptr), E_FAIL);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

// ---- Property sheets ----

// The host's side of PROPSHEETUI_INFO: a heap, a parameter block and a property-sheet
// function that records what it is asked.
class SheetHost {
public:
    struct Call {
        HANDLE sheet;
        UINT function;
        std::vector<BYTE> record;  // the page description as it was handed over
        LPARAM lParam2;
    };

    SheetHost() : heap_(HeapCreate(0, 0, 0)) {
        oemParam.cbSize = sizeof oemParam;
        oemParam.pPrinterName = printerName_;
        oemParam.hOEMHeap = heap_;
        current_ = this;
    }
    ~SheetHost() {
        current_ = nullptr;
        HeapDestroy(heap_);
    }
    HANDLE heap() const { return heap_; }

    PROPSHEETUI_INFO Info(WORD reason) {
        PROPSHEETUI_INFO info{};
        info.cbSize = sizeof info;
        info.Version = PROPSHEETUI_INFO_VERSION;
        info.Reason = reason;
        info.hComPropSheet = kSheetHandle;
        info.pfnComPropSheet = &SheetHost::ComPropSheet;
        info.lParamInit = reinterpret_cast<LPARAM>(&oemParam);
        info.Result = kUntouched;
        return info;
    }

    static inline const HANDLE kSheetHandle = reinterpret_cast<HANDLE>(0x5EE7);
    static constexpr LONG_PTR kAnswer = 0x5150;

    OEMUIPSPARAM oemParam{};
    std::vector<Call> calls;

private:
    static LONG_PTR CALLBACK ComPropSheet(HANDLE sheet, UINT function, LPARAM lParam1,
                                          LPARAM lParam2) {
        const auto* page = reinterpret_cast<const PROPSHEETPAGEW*>(lParam1);
        const auto* bytes = reinterpret_cast<const BYTE*>(page);
        current_->calls.push_back(
            {sheet, function, std::vector<BYTE>(bytes, bytes + page->dwSize), lParam2});
        return kAnswer;
    }

    static inline SheetHost* current_ = nullptr;
    HANDLE heap_;
    wchar_t printerName_[32] = L"Brimcote Test Printer";
};

TEST_F(OemUITest, DocumentPropertySheetsChecksItsRecordAndAddsNothing) {
    SheetHost host;
    PROPSHEETUI_INFO info = host.Info(PROPSHEETUI_REASON_INIT);
    EXPECT_EQ(oemUI()->DocumentPropertySheets(&info, 0), S_OK);
    EXPECT_EQ(info.Result, kUntouched);
    EXPECT_TRUE(host.calls.empty());

    info.Version = 0x0101;
    SetLastError(0);
    EXPECT_EQ(oemUI()->DocumentPropertySheets(&info, 0), E_FAIL);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    SetLastError(0);
    EXPECT_EQ(oemUI()->DocumentPropertySheets(nullptr, 0), E_FAIL);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(OemUITest, DevicePropertySheetsAnswersEachReason) {
    PROPSHEETUI_INFO_HEADER header{};
    header.cbSize = sizeof header;
    header.hWndParent = reinterpret_cast<HWND>(0x77);
    SETRESULT_INFO setResult{};
    setResult.cbSize = sizeof setResult;
    setResult.Result = 77;
    const struct {
        const char* name;
        WORD reason;
        LPARAM lParam;
        ULONG_PTR result;
    } cases[] = {
        {"get info header", PROPSHEETUI_REASON_GET_INFO_HEADER, reinterpret_cast<LPARAM>(&header),
         1},
        {"destroy", PROPSHEETUI_REASON_DESTROY, 0, 1},
        {"set result", PROPSHEETUI_REASON_SET_RESULT, reinterpret_cast<LPARAM>(&setResult), 77},
        {"get icon", PROPSHEETUI_REASON_GET_ICON, 0, 0},
        {"an unknown reason", 9, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SheetHost host;
        PROPSHEETUI_INFO info = host.Info(c.reason);
        EXPECT_EQ(oemUI()->DevicePropertySheets(&info, c.lParam), S_OK);
        EXPECT_EQ(info.Result, c.result);
        EXPECT_TRUE(host.calls.empty());
    }
    EXPECT_STREQ(reinterpret_cast<const wchar_t*>(header.pTitle), L"OEM UI Page");
    EXPECT_EQ(header.hWndParent, reinterpret_cast<HWND>(0x77));  // nothing else is set
    EXPECT_EQ(header.hInst, nullptr);
}

TEST_F(OemUITest, DevicePropertySheetsRefusesUnusableRecordsWithoutAddingAPage) {
    SheetHost host;
    const struct {
        const char* name;
        WORD version;
        WORD reason;
        bool withParam;
        bool withFunction;
        bool withInfo;
    } cases[] = {
        {"version 0x0101", 0x0101, PROPSHEETUI_REASON_INIT, true, true, true},
        {"no record", PROPSHEETUI_INFO_VERSION, PROPSHEETUI_REASON_INIT, true, true, false},
        {"no parameter block", PROPSHEETUI_INFO_VERSION, PROPSHEETUI_REASON_INIT, false, true,
         true},
        {"no property-sheet function", PROPSHEETUI_INFO_VERSION, PROPSHEETUI_REASON_INIT, true,
         false, true},
        {"header without a header", PROPSHEETUI_INFO_VERSION, PROPSHEETUI_REASON_GET_INFO_HEADER,
         true, true, true},
        {"set result without a result", PROPSHEETUI_INFO_VERSION, PROPSHEETUI_REASON_SET_RESULT,
         true, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PROPSHEETUI_INFO info = host.Info(c.reason);
        info.Version = c.version;
        if (!c.withParam) info.lParamInit = 0;
        if (!c.withFunction) info.pfnComPropSheet = nullptr;
        SetLastError(0);
        EXPECT_EQ(oemUI()->DevicePropertySheets(c.withInfo ? &info : nullptr, 0), E_FAIL);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
        EXPECT_EQ(info.Result, kUntouched);
    }
    EXPECT_TRUE(host.calls.empty());
}

TEST_F(OemUITest, DevicePropertySheetsAddsThePageWithAContextFromTheHostsHeap) {
    SheetHost host;
    PROPSHEETUI_INFO info = host.Info(PROPSHEETUI_REASON_INIT);
    ASSERT_EQ(oemUI()->DevicePropertySheets(&info, 0), S_OK);
    EXPECT_EQ(info.Result, static_cast<ULONG_PTR>(SheetHost::kAnswer));

    ASSERT_EQ(host.calls.size(), 1u);
    const SheetHost::Call& call = host.calls[0];
    EXPECT_EQ(call.sheet, SheetHost::kSheetHandle);
    EXPECT_EQ(call.function, static_cast<UINT>(CPSFUNC_ADD_PROPSHEETPAGEW));
    EXPECT_EQ(call.lParam2, 0);

    // The complete page-creation record: the members of <prsht.h> and the header bitmap.
    ASSERT_EQ(call.record.size(), sizeof(PROPSHEETPAGEW) + sizeof(HBITMAP));
    std::vector<BYTE> record = call.record;
    auto* page = reinterpret_cast<PROPSHEETPAGEW*>(record.data());
    EXPECT_EQ(page->dwFlags, 0u);
    EXPECT_EQ(page->hInstance, Plugin().handle());
    EXPECT_EQ(page->pszTemplate, MAKEINTRESOURCEW(IDD_PRINTER_PROPERTIES));
    EXPECT_NE(
        FindResourceW(page->hInstance, page->pszTemplate, reinterpret_cast<LPCWSTR>(RT_DIALOG)),
        nullptr);
    EXPECT_NE(page->pfnDlgProc, nullptr);
    // Every other member is zero.
    const PROPSHEETPAGEW* kept = page;
    auto* context = reinterpret_cast<const PageContext*>(kept->lParam);
    page->dwSize = 0;
    page->hInstance = nullptr;
    page->pszTemplate = nullptr;
    page->pfnDlgProc = nullptr;
    page->lParam = 0;
    for (BYTE b : record) ASSERT_EQ(b, 0);

    ASSERT_NE(context, nullptr);
    EXPECT_TRUE(HeapValidate(host.heap(), 0, context));
    EXPECT_GE(HeapSize(host.heap(), 0, context), sizeof(PageContext));
    EXPECT_EQ(context->hComPropSheet, SheetHost::kSheetHandle);
    EXPECT_EQ(context->oemParam, &host.oemParam);
    EXPECT_EQ(context->pfnComPropSheet, info.pfnComPropSheet);

    // Every call adds one more page with a context of its own.
    ASSERT_EQ(oemUI()->DevicePropertySheets(&info, 0), S_OK);
    ASSERT_EQ(host.calls.size(), 2u);
    const auto* second = reinterpret_cast<const PROPSHEETPAGEW*>(host.calls[1].record.data());
    EXPECT_NE(reinterpret_cast<const PageContext*>(second->lParam), context);
}

TEST_F(OemUITest, DevicePropertySheetsAddsNoPageWhenItsContextCannotBeAllocated) {
    SheetHost host;
    // A heap that cannot grow, filled to the last byte.
    HANDLE full = HeapCreate(0, 64 * 1024, 64 * 1024);
    ASSERT_NE(full, nullptr);
    for (SIZE_T bytes = 4096; bytes > 0; bytes /= 2) {
        while (HeapAlloc(full, 0, bytes) != nullptr) {
        }
    }
    host.oemParam.hOEMHeap = full;
    PROPSHEETUI_INFO info = host.Info(PROPSHEETUI_REASON_INIT);
    SetLastError(0);
    EXPECT_EQ(oemUI()->DevicePropertySheets(&info, 0), E_FAIL);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
    EXPECT_EQ(info.Result, kUntouched);
    EXPECT_TRUE(host.calls.empty());
    HeapDestroy(full);
}

// ---- QueryColorProfile ----

TEST_F(OemUITest, QueryColorProfileNamesTheProfileInto32Bytes) {
    const struct {
        const char* name;
        ULONG queryMode;
        bool withBuffer;
        ULONG bufferBytes;
        HRESULT result;
        DWORD lastError;
        ULONG bytesAfter;
        FLONG flags;
        const wchar_t* text;
    } cases[] = {
        {"32 bytes", 0, true, 32, S_OK, 0, 32, 2, L"OEMPROFILE.icm"},
        {"64 bytes: the size answered is still 32", 0, true, 64, S_OK, 0, 32, 2, L"OEMPROFILE.icm"},
        {"31 bytes", 0, true, 31, E_FAIL, ERROR_INSUFFICIENT_BUFFER, 32, kUntouched, L""},
        {"no buffer", 0, false, 64, E_FAIL, ERROR_INSUFFICIENT_BUFFER, 32, kUntouched, L""},
        {"source profile", 1, true, 64, E_FAIL, 12345, 64, kUntouched, L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        wchar_t buffer[32] = {};
        ULONG bytes = c.bufferBytes;
        FLONG flags = kUntouched;
        SetLastError(12345);
        EXPECT_EQ(oemUI()->QueryColorProfile(nullptr, nullptr, nullptr, nullptr, c.queryMode,
                                             c.withBuffer ? buffer : nullptr, &bytes, &flags),
                  c.result);
        if (c.result == E_FAIL) {
            EXPECT_EQ(GetLastError(), c.lastError);
        }
        EXPECT_EQ(bytes, c.bytesAfter);
        EXPECT_EQ(flags, c.flags);
        EXPECT_STREQ(buffer, c.text);
    }

    wchar_t buffer[16];
    ULONG bytes = sizeof buffer;
    FLONG flags = 0;
    SetLastError(0);
    EXPECT_EQ(
        oemUI()->QueryColorProfile(nullptr, nullptr, nullptr, nullptr, 0, buffer, nullptr, &flags),
        E_FAIL);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(
        oemUI()->QueryColorProfile(nullptr, nullptr, nullptr, nullptr, 0, buffer, &bytes, nullptr),
        E_FAIL);
    EXPECT_EQ(bytes, sizeof buffer);
}

}  // namespace
