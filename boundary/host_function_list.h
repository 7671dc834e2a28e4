// The host's 191 entry-point names, in the order MQInit resolves them.
//
// This one list drives the typed entry-point table, the binding loop and the
// stand-in host's exports, so the three can never drift apart. Entries are
// appended, never reordered: the order decides which entries are filled when a
// name is missing.
//
// CALLED(name, result, parameters) is an entry the plug-in calls, with its
// signature. RESOLVED(name) is an entry that is looked up (and required) but
// never called; its shape is the host's business.
#pragma once

// clang-format off
#define ROWSHIFT_HOST_FUNCTIONS(CALLED, RESOLVED) \
  RESOLVED(MQ_GetWindowHandle) \
  RESOLVED(MQ_CreateObject) \
  RESOLVED(MQ_CreateMaterial) \
  RESOLVED(MQ_ShowFileDialog) \
  RESOLVED(MQ_ImportAxis) \
  RESOLVED(MQ_ExportAxis) \
  RESOLVED(MQ_LoadImage) \
  RESOLVED(MQ_LoadImageW) \
  RESOLVED(MQ_GetSystemPath) \
  RESOLVED(MQ_GetSystemPathW) \
  RESOLVED(MQ_RefreshView) \
  RESOLVED(MQ_StationCallback) \
  CALLED(MQ_SendMessage, int32_t, (int32_t code, HostMessage* message)) \
  CALLED(MQDoc_GetObjectCount, int32_t, (void* doc)) \
  CALLED(MQDoc_GetObject, void*, (void* doc, int32_t index)) \
  RESOLVED(MQDoc_GetObjectFromUniqueID) \
  CALLED(MQDoc_GetCurrentObjectIndex, int32_t, (void* doc)) \
  CALLED(MQDoc_SetCurrentObjectIndex, int32_t, (void* doc, int32_t index)) \
  RESOLVED(MQDoc_AddObject) \
  CALLED(MQDoc_DeleteObject, int32_t, (void* doc, int32_t index)) \
  CALLED(MQDoc_GetObjectIndex, int32_t, (void* doc, void* obj)) \
  RESOLVED(MQDoc_GetUnusedObjectName) \
  RESOLVED(MQDoc_GetUnusedObjectNameW) \
  RESOLVED(MQDoc_GetMaterialCount) \
  RESOLVED(MQDoc_GetMaterial) \
  RESOLVED(MQDoc_GetMaterialFromUniqueID) \
  RESOLVED(MQDoc_GetCurrentMaterialIndex) \
  RESOLVED(MQDoc_SetCurrentMaterialIndex) \
  RESOLVED(MQDoc_AddMaterial) \
  RESOLVED(MQDoc_DeleteMaterial) \
  RESOLVED(MQDoc_GetUnusedMaterialName) \
  RESOLVED(MQDoc_GetUnusedMaterialNameW) \
  RESOLVED(MQDoc_Compact) \
  RESOLVED(MQDoc_ClearSelect) \
  RESOLVED(MQDoc_AddSelectVertex) \
  RESOLVED(MQDoc_DeleteSelectVertex) \
  RESOLVED(MQDoc_IsSelectVertex) \
  RESOLVED(MQDoc_AddSelectLine) \
  RESOLVED(MQDoc_DeleteSelectLine) \
  RESOLVED(MQDoc_IsSelectLine) \
  RESOLVED(MQDoc_AddSelectFace) \
  RESOLVED(MQDoc_DeleteSelectFace) \
  RESOLVED(MQDoc_IsSelectFace) \
  RESOLVED(MQDoc_AddSelectUVVertex) \
  RESOLVED(MQDoc_DeleteSelectUVVertex) \
  RESOLVED(MQDoc_IsSelectUVVertex) \
  RESOLVED(MQDoc_FindMappingFile) \
  RESOLVED(MQDoc_FindMappingFileW) \
  RESOLVED(MQDoc_GetScene) \
  RESOLVED(MQDoc_GetMappingImage) \
  RESOLVED(MQDoc_GetMappingImageW) \
  CALLED(MQDoc_GetParentObject, void*, (void* doc, void* obj)) \
  CALLED(MQDoc_GetChildObjectCount, int32_t, (void* doc, void* obj)) \
  RESOLVED(MQDoc_GetChildObject) \
  RESOLVED(MQDoc_GetGlobalMatrix) \
  RESOLVED(MQDoc_GetGlobalInverseMatrix) \
  CALLED(MQDoc_InsertObject, int32_t, (void* doc, void* obj, void* anchor)) \
  RESOLVED(MQDoc_RemoveObject) \
  RESOLVED(MQDoc_CreateUserData) \
  RESOLVED(MQDoc_DeleteUserData) \
  RESOLVED(MQDoc_Triangulate) \
  RESOLVED(MQScene_InitSize) \
  RESOLVED(MQScene_GetProjMatrix) \
  RESOLVED(MQScene_GetViewMatrix) \
  RESOLVED(MQScene_IntValue) \
  RESOLVED(MQScene_FloatValue) \
  RESOLVED(MQScene_ValueArray) \
  RESOLVED(MQScene_GetVisibleFace) \
  CALLED(MQObj_Delete, void, (void* obj)) \
  CALLED(MQObj_Clone, void*, (void* obj)) \
  RESOLVED(MQObj_Merge) \
  RESOLVED(MQObj_Clear) \
  RESOLVED(MQObj_Freeze) \
  RESOLVED(MQObj_GetVertexCount) \
  RESOLVED(MQObj_GetVertex) \
  RESOLVED(MQObj_SetVertex) \
  RESOLVED(MQObj_GetVertexArray) \
  RESOLVED(MQObj_GetFaceCount) \
  RESOLVED(MQObj_GetFacePointCount) \
  RESOLVED(MQObj_GetFacePointArray) \
  RESOLVED(MQObj_GetFaceCoordinateArray) \
  RESOLVED(MQObj_GetFaceCoordinate) \
  RESOLVED(MQObj_GetFaceMaterial) \
  RESOLVED(MQObj_GetFaceUniqueID) \
  RESOLVED(MQObj_GetFaceIndexFromUniqueID) \
  RESOLVED(MQObj_SetName) \
  RESOLVED(MQObj_AddVertex) \
  RESOLVED(MQObj_DeleteVertex) \
  RESOLVED(MQObj_GetVertexRefCount) \
  RESOLVED(MQObj_GetVertexUniqueID) \
  RESOLVED(MQObj_GetVertexIndexFromUniqueID) \
  RESOLVED(MQObj_GetVertexRelatedFaces) \
  RESOLVED(MQObj_GetVertexWeight) \
  RESOLVED(MQObj_SetVertexWeight) \
  RESOLVED(MQObj_CopyVertexAttribute) \
  RESOLVED(MQObj_AddFace) \
  RESOLVED(MQObj_InsertFace) \
  RESOLVED(MQObj_DeleteFace) \
  RESOLVED(MQObj_InvertFace) \
  RESOLVED(MQObj_SetFaceMaterial) \
  RESOLVED(MQObj_SetFaceCoordinateArray) \
  RESOLVED(MQObj_SetFaceCoordinate) \
  RESOLVED(MQObj_GetFaceVertexColor) \
  RESOLVED(MQObj_SetFaceVertexColor) \
  RESOLVED(MQObj_GetFaceEdgeCrease) \
  RESOLVED(MQObj_SetFaceEdgeCrease) \
  RESOLVED(MQObj_GetFaceVertexNormal) \
  RESOLVED(MQObj_SetFaceVertexNormal) \
  RESOLVED(MQObj_GetFaceVisible) \
  RESOLVED(MQObj_SetFaceVisible) \
  RESOLVED(MQObj_OptimizeVertex) \
  RESOLVED(MQObj_Compact) \
  RESOLVED(MQObj_GetVisible) \
  RESOLVED(MQObj_SetVisible) \
  RESOLVED(MQObj_GetPatchType) \
  RESOLVED(MQObj_SetPatchType) \
  RESOLVED(MQObj_GetPatchSegment) \
  RESOLVED(MQObj_SetPatchSegment) \
  RESOLVED(MQObj_GetShading) \
  RESOLVED(MQObj_SetShading) \
  RESOLVED(MQObj_GetSmoothAngle) \
  RESOLVED(MQObj_SetSmoothAngle) \
  RESOLVED(MQObj_GetMirrorType) \
  RESOLVED(MQObj_SetMirrorType) \
  RESOLVED(MQObj_GetMirrorAxis) \
  RESOLVED(MQObj_SetMirrorAxis) \
  RESOLVED(MQObj_GetMirrorDistance) \
  RESOLVED(MQObj_SetMirrorDistance) \
  RESOLVED(MQObj_GetLatheType) \
  RESOLVED(MQObj_SetLatheType) \
  RESOLVED(MQObj_GetLatheAxis) \
  RESOLVED(MQObj_SetLatheAxis) \
  RESOLVED(MQObj_GetLatheSegment) \
  RESOLVED(MQObj_SetLatheSegment) \
  CALLED(MQObj_GetIntValue, int32_t, (void* obj, int32_t value_id)) \
  RESOLVED(MQObj_GetFloatArray) \
  CALLED(MQObj_SetIntValue, int32_t, (void* obj, int32_t value_id, int32_t value)) \
  RESOLVED(MQObj_SetFloatArray) \
  RESOLVED(MQObj_PointerArray) \
  RESOLVED(MQObj_AllocUserData) \
  RESOLVED(MQObj_FreeUserData) \
  RESOLVED(MQObj_GetUserData) \
  RESOLVED(MQObj_SetUserData) \
  RESOLVED(MQObj_AllocVertexUserData) \
  RESOLVED(MQObj_FreeVertexUserData) \
  RESOLVED(MQObj_GetVertexUserData) \
  RESOLVED(MQObj_SetVertexUserData) \
  RESOLVED(MQObj_AllocFaceUserData) \
  RESOLVED(MQObj_FreeFaceUserData) \
  RESOLVED(MQObj_GetFaceUserData) \
  RESOLVED(MQObj_SetFaceUserData) \
  RESOLVED(MQMat_Delete) \
  RESOLVED(MQMat_GetIntValue) \
  RESOLVED(MQMat_GetFloatArray) \
  RESOLVED(MQMat_GetColor) \
  RESOLVED(MQMat_GetAlpha) \
  RESOLVED(MQMat_GetDiffuse) \
  RESOLVED(MQMat_GetAmbient) \
  RESOLVED(MQMat_GetEmission) \
  RESOLVED(MQMat_GetSpecular) \
  RESOLVED(MQMat_GetPower) \
  RESOLVED(MQMat_GetTextureName) \
  RESOLVED(MQMat_GetAlphaName) \
  RESOLVED(MQMat_GetBumpName) \
  RESOLVED(MQMat_SetIntValue) \
  RESOLVED(MQMat_SetFloatArray) \
  RESOLVED(MQMat_SetName) \
  RESOLVED(MQMat_SetColor) \
  RESOLVED(MQMat_SetAlpha) \
  RESOLVED(MQMat_SetDiffuse) \
  RESOLVED(MQMat_SetAmbient) \
  RESOLVED(MQMat_SetEmission) \
  RESOLVED(MQMat_SetSpecular) \
  RESOLVED(MQMat_SetPower) \
  RESOLVED(MQMat_SetTextureName) \
  RESOLVED(MQMat_SetAlphaName) \
  RESOLVED(MQMat_SetBumpName) \
  RESOLVED(MQMat_AllocUserData) \
  RESOLVED(MQMat_FreeUserData) \
  RESOLVED(MQMat_GetUserData) \
  RESOLVED(MQMat_SetUserData) \
  RESOLVED(MQMat_GetValueArray) \
  RESOLVED(MQMat_SetValueArray) \
  RESOLVED(MQShaderNode_GetValueArray) \
  RESOLVED(MQShaderNode_SetValueArray) \
  RESOLVED(MQMatrix_FloatValue) \
  CALLED(MQXmlElem_Value, int32_t, (void* element, int32_t code, void** values)) \
  RESOLVED(MQXmlDoc_Value) \
  CALLED(MQWidget_Value, int32_t, (int32_t widget_id, int32_t code, void** list)) \
  CALLED(MQCanvas_Value, int32_t, (void* canvas, int32_t code, void** list)) \
  RESOLVED(MQSVGDraw_Value)
// clang-format on
