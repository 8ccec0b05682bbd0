// driverui.dll's module and class factory, reached through the two exports.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "tests/driverui/loaded_plugin.h"

namespace {

using plugin_testing::Plugin;
using printhost::ComRef;

// {00000000-0000-0000-0000-000000000001}: a class ID nobody serves.
constexpr CLSID kOtherClass = {0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 1}};
void* const kGarbage = reinterpret_cast<void*>(0x1234);

std::wstring ModulePath() {
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(Plugin().handle(), path.data(), MAX_PATH));
    return path;
}

void GetFactory(ComRef<IClassFactory>* factory) {
    ASSERT_EQ(Plugin().GetClassObject(CLSID_OEMUI, IID_IClassFactory, factory->put()), S_OK);
}

TEST(Module, LoadsAndFindsBothExportsByOrdinal) {
    ASSERT_NE(Plugin().handle(), nullptr);
    EXPECT_TRUE(Plugin().usable());
    EXPECT_EQ(Plugin().CanUnloadNow(), S_OK);
}

TEST(Module, ExportsOnlyDllCanUnloadNowAtOneAndDllGetClassObjectAtTwo) {
    const auto* base = reinterpret_cast<const BYTE*>(Plugin().handle());
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    ASSERT_NE(directory.VirtualAddress, 0u);
    const auto* exports =
        reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + directory.VirtualAddress);
    EXPECT_EQ(exports->Base, 1u);
    ASSERT_EQ(exports->NumberOfFunctions, 2u);
    ASSERT_EQ(exports->NumberOfNames, 2u);

    const auto* names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    const auto* ordinals = reinterpret_cast<const WORD*>(base + exports->AddressOfNameOrdinals);
    const struct {
        const char* name;
        WORD ordinal;
    } expected[] = {{"DllCanUnloadNow", 1}, {"DllGetClassObject", 2}};
    for (DWORD i = 0; i < 2; ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_STREQ(reinterpret_cast<const char*>(base + names[i]), expected[i].name);
        EXPECT_EQ(ordinals[i] + exports->Base, expected[i].ordinal);
        EXPECT_EQ(GetProcAddress(Plugin().handle(), expected[i].name),
                  GetProcAddress(Plugin().handle(), MAKEINTRESOURCEA(expected[i].ordinal)));
    }
}

TEST(Module, FileAndProductVersionAreBoth3_0_1_6) {
    const std::wstring path = ModulePath();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> data(size);
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, data.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedBytes = 0;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixedBytes));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 3));
    EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(6, 1));
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(0, 3));
    EXPECT_EQ(fixed->dwProductVersionLS, MAKELONG(6, 1));
}

TEST(Module, DllGetClassObjectAnswersPerClassAndInterface) {
    const struct {
        const char* name;
        const CLSID& classId;
        const IID& interfaceId;
        HRESULT result;
    } cases[] = {
        {"IUnknown of the plug-in's class", CLSID_OEMUI, IID_IUnknown, S_OK},
        {"IClassFactory of the plug-in's class", CLSID_OEMUI, IID_IClassFactory, S_OK},
        {"IPrintOemUI straight from the module", CLSID_OEMUI, IID_IPrintOemUI, E_NOINTERFACE},
        {"IClassFactory of another class", kOtherClass, IID_IClassFactory,
         CLASS_E_CLASSNOTAVAILABLE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        void* object = kGarbage;
        EXPECT_EQ(Plugin().GetClassObject(c.classId, c.interfaceId, &object), c.result);
        if (c.result != S_OK) {
            EXPECT_EQ(object, nullptr);
            continue;
        }
        ASSERT_NE(object, nullptr);
        // The factory handed out holds exactly the caller's reference.
        auto* unknown = static_cast<IUnknown*>(object);
        EXPECT_EQ(unknown->AddRef(), 2u);
        EXPECT_EQ(unknown->Release(), 1u);
        EXPECT_EQ(unknown->Release(), 0u);
    }
    EXPECT_EQ(Plugin().GetClassObject(CLSID_OEMUI, IID_IClassFactory, nullptr), E_POINTER);
    EXPECT_EQ(Plugin().CanUnloadNow(), S_OK);
}

TEST(ClassFactory, QueryInterfaceAcceptsIUnknownAndIClassFactoryOnly) {
    ComRef<IClassFactory> factory;
    ASSERT_NO_FATAL_FAILURE(GetFactory(&factory));
    for (const IID* accepted : {&IID_IUnknown, &IID_IClassFactory}) {
        void* object = nullptr;
        EXPECT_EQ(factory->QueryInterface(*accepted, &object), S_OK);
        EXPECT_EQ(object, static_cast<void*>(factory.get()));
        static_cast<IUnknown*>(object)->Release();
    }
    for (const IID* refused : {&IID_IPrintOemUI, &IID_IPrintOemDriverUI, &IID_IDispatch}) {
        void* object = kGarbage;
        EXPECT_EQ(factory->QueryInterface(*refused, &object), E_NOINTERFACE);
        EXPECT_EQ(object, nullptr);
    }
    EXPECT_EQ(factory->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
}

TEST(ClassFactory, CreateInstanceRefusesAggregationAndUnknownInterfacesWithoutLeaking) {
    ComRef<IClassFactory> factory;
    ASSERT_NO_FATAL_FAILURE(GetFactory(&factory));
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IPrintOemUI, nullptr), E_POINTER);

    void* object = kGarbage;
    EXPECT_EQ(factory->CreateInstance(factory.get(), IID_IPrintOemUI, &object),
              CLASS_E_NOAGGREGATION);
    EXPECT_EQ(object, nullptr);

    object = kGarbage;
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IPrintOemDriverUI, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    // The object made for the refused interface is gone again.
    EXPECT_EQ(Plugin().CanUnloadNow(), S_OK);
}

TEST(ClassFactory, LiveObjectKeepsTheModuleLoadedUntilItsLastRelease) {
    ComRef<IClassFactory> factory;
    ASSERT_NO_FATAL_FAILURE(GetFactory(&factory));
    // A factory alone does not hold the module.
    EXPECT_EQ(Plugin().CanUnloadNow(), S_OK);

    IPrintOemUI* oemUI = nullptr;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IPrintOemUI, reinterpret_cast<void**>(&oemUI)),
              S_OK);
    EXPECT_EQ(Plugin().CanUnloadNow(), S_FALSE);
    EXPECT_EQ(oemUI->AddRef(), 2u);
    EXPECT_EQ(oemUI->Release(), 1u);
    EXPECT_EQ(Plugin().CanUnloadNow(), S_FALSE);
    EXPECT_EQ(oemUI->Release(), 0u);
    EXPECT_EQ(Plugin().CanUnloadNow(), S_OK);
}

TEST(ClassFactory, LockServerHoldsTheModuleUntilEveryLockIsUndone) {
    ComRef<IClassFactory> factory;
    ASSERT_NO_FATAL_FAILURE(GetFactory(&factory));
    EXPECT_EQ(factory->LockServer(TRUE), S_OK);
    EXPECT_EQ(factory->LockServer(TRUE), S_OK);
    factory.Reset();
    EXPECT_EQ(Plugin().CanUnloadNow(), S_FALSE);

    ASSERT_NO_FATAL_FAILURE(GetFactory(&factory));
    EXPECT_EQ(factory->LockServer(FALSE), S_OK);
    EXPECT_EQ(Plugin().CanUnloadNow(), S_FALSE);
    EXPECT_EQ(factory->LockServer(FALSE), S_OK);
    EXPECT_EQ(Plugin().CanUnloadNow(), S_OK);
}

// Reference counts and the module's counts moved from many threads at once end exactly
// where they started: no increment or decrement is lost.
TEST(ReferenceCounts, HoldUnderAddRefAndReleaseFromManyThreads) {
    ComRef<IClassFactory> factory;
    ASSERT_NO_FATAL_FAILURE(GetFactory(&factory));
    ComRef<IPrintOemUI> oemUI;
    ASSERT_NO_FATAL_FAILURE(plugin_testing::MakeOemUI(&oemUI));

    constexpr int kThreads = 8;
    constexpr int kRounds = 20000;
    std::atomic<bool> go{false};
    std::atomic<int> failures{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&] {
            while (!go) std::this_thread::yield();
            for (int i = 0; i < kRounds; ++i) {
                oemUI->AddRef();
                factory->AddRef();
                factory->LockServer(TRUE);
                IPrintOemUI* extra = nullptr;
                if (factory->CreateInstance(nullptr, IID_IPrintOemUI,
                                            reinterpret_cast<void**>(&extra)) != S_OK ||
                    extra->Release() != 0) {
                    ++failures;
                }
                factory->LockServer(FALSE);
                factory->Release();
                oemUI->Release();
            }
        });
    }
    go = true;
    for (auto& thread : threads) thread.join();

    EXPECT_EQ(failures, 0);
    EXPECT_EQ(oemUI->AddRef(), 2u);
    EXPECT_EQ(oemUI->Release(), 1u);
    EXPECT_EQ(factory->AddRef(), 2u);
    EXPECT_EQ(factory->Release(), 1u);
    EXPECT_EQ(Plugin().CanUnloadNow(), S_FALSE);  // oemUI is still alive
    oemUI.Reset();
    EXPECT_EQ(Plugin().CanUnloadNow(), S_OK);
}

}  // namespace
