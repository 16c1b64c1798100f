// The layer's records of the windows it manages, found by window handle.
//
// Handlers and platform calls can destroy a dialog at almost any moment (a
// handler may finish its dialog from a nested message loop), so nobody keeps
// a pointer into the list: RecordFind hands out a copy, RecordUpdate changes
// a record in place under the list's spin flag, and callers look the record
// up again after anything that may have dispatched messages.
//
// The spin flag is held only for the list operation itself, never across a
// platform call: a message sent back to the same thread would spin forever.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

#include "dialog.h"

// Taken by exchanging all-ones in until the old value was 0; released by
// storing 0. With one GUI thread it is never contended.
struct SpinFlag {
    std::atomic<uint32_t> Value{0};
};

void SpinFlagTake(SpinFlag& flag);
void SpinFlagRelease(SpinFlag& flag);

enum class RecordKind { Dialog, Button, Label, TextBox, Image };

struct WindowRecord {
    HWND Window = nullptr;
    HWND Dialog = nullptr;  // the dialog a control sits in; a dialog's own handle
    RecordKind Kind = RecordKind::Dialog;
    Units UnitsMode = Units::Dialog;
    uint32_t Style = 0;
    uint32_t ExStyle = 0;
    HFONT Font = nullptr;             // dialog: the font its template produced
    int ShowCommand = SW_SHOW;        // dialog: how DialogRunModal shows it
    DialogHandler Handler = nullptr;  // dialog: registered by DialogRunModal
    int32_t* ResultSlot = nullptr;    // dialog: DialogRunModal's result, while it runs
    HICON LargeIcon = nullptr;        // dialog: loaded by DialogLoadIcon
    HICON SmallIcon = nullptr;
    HANDLE Image = nullptr;  // image control: loaded by DialogAddControl
    bool ImageIsBitmap = false;
};

void RecordAdd(const WindowRecord& record);

// Copies the record of the window into *copy; false if there is none.
bool RecordFind(HWND window, WindowRecord* copy);

// Runs change on the window's record under the flag; false if there is none.
// change must not call the platform.
bool RecordUpdate(HWND window, const std::function<void(WindowRecord&)>& change);

// Removes the dialog's record and those of its controls and returns them,
// so that the caller can release their icons and images outside the flag.
std::vector<WindowRecord> RecordDropDialog(HWND dialog);

int RecordCount();

// The shared dialog procedure of every dialog the layer creates.
INT_PTR CALLBACK DialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Releases an image or icon the layer loaded; null is ignored.
void ImageRelease(HANDLE image, bool isBitmap);
