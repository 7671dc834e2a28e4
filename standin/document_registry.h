// Which handles the stand-in host has handed out. Every export checks a handle
// here before it touches what the handle points to, so a stray or stale handle
// gets a safe answer instead of undefined behaviour.
#pragma once

namespace standin {

class DocumentState;
struct ObjectRecord;

void RegisterDocument(const void* handle, DocumentState* state);
void UnregisterDocument(const void* handle);
// The state of a live document, or null for null and unknown handles.
DocumentState* FindDocument(const void* handle);

void RegisterObject(const ObjectRecord* object, DocumentState* owner);
void UnregisterObject(const ObjectRecord* object);
// The document that owns an object handle, or null for null and unknown handles.
DocumentState* OwnerOf(const void* object);

// Calls that named an object handle the stand-in never made (or whose
// document is gone), so no document can count them.
void CountStrayObjectTouch();
int StrayObjectTouchCount();
void ResetStrayObjectTouchCount();

}  // namespace standin
