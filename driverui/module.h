// Module-wide state of driverui.dll: its handle and the counts that decide whether it can
// be unloaded.
#pragma once

#include <windows.h>

// This module, as recorded by the entry point on process attach.
HINSTANCE ModuleHandle();

// The live-object count: one per OemUI object that exists.
void ObjectCreated();
void ObjectDestroyed();

// The lock count, moved by IClassFactory::LockServer.
void LockModule();
void UnlockModule();
