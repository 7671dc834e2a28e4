// Which handles the stand-in host has handed out. Every export checks a handle
// here before it touches what the handle points to, so a stray or stale handle
// gets a safe answer instead of undefined behaviour.
#pragma once

#include <cstddef>

namespace standin {

class DocumentState;
struct ObjectRecord;

void RegisterDocument(const void* handle, DocumentState* state);
void UnregisterDocument(const void* handle);
// The state of a live document, or null for null and unknown handles.
DocumentState* FindDocument(const void* handle);

// A block of `count` object records from `first` on, made by `owner`. Only
// the records it has handed out (status other than kUnused) are objects.
void RegisterObjectBlock(const ObjectRecord* first, std::size_t count, DocumentState* owner);
void UnregisterObjectBlock(const ObjectRecord* first);
// The document that owns an object handle, or null for null and unknown
// handles: a handle is known when it points at a handed-out record of a
// registered block.
DocumentState* OwnerOf(const void* object);

// Calls that named an object handle the stand-in never made (or whose
// document is gone), so no document can count them.
void CountStrayObjectTouch();
int StrayObjectTouchCount();
void ResetStrayObjectTouchCount();

}  // namespace standin
