// Counts of what the calling process holds, taken from inside it, by means
// this Wine really answers (its GetGuiResources and GetProcessHandleCount
// give 0):
//
//   handles       kernel handles: every value of the handle table that
//                 GetHandleInformation accepts
//   gdi           GDI objects: every index of the GDI handle table that
//                 GetObjectType names (a handle with its upper word 0 names
//                 the entry whatever its generation)
//   user          USER objects: the process's windows (top-level, child and
//                 message-only), plus the menus and icons or cursors found
//                 by probing every USER handle index with IsMenu and
//                 GetIconInfo
//   privateBytes  committed private memory (VirtualQuery over the address
//                 space), what Windows calls private bytes
//   heapBytes     bytes of busy blocks in the process's heaps (HeapWalk)
//
// A count may see objects of every thread of the process; call it where the
// others are quiet. Nothing here fails: what cannot be read counts as 0.
#pragma once

#include <cstddef>

namespace testbed {

struct ProcessObjects {
    int handles = 0;
    int gdi = 0;
    // GDI objects by GetObjectType's answer (OBJ_PEN 1 to OBJ_COLORSPACE 14).
    static constexpr int kGdiTypes = 15;
    int gdiOfType[kGdiTypes] = {};
    int user = 0;
    size_t privateBytes = 0;
    size_t heapBytes = 0;
};

ProcessObjects CountProcessObjects();

}  // namespace testbed
