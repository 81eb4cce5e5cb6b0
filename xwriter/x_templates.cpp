#include "xwriter/x_templates.h"

namespace ortolix {

namespace {
constexpr bool kAlways = false;
constexpr bool kOptional = true;
}  // namespace

constexpr std::array<XTemplateDecl, 28> kXTemplateTable = {{
    {"VertexDuplicationIndices", "b8d65549-d7c9-4995-89cf-53a9a8b031e3",
     {"DWORD nIndices;", "DWORD nOriginalVertices;", "array DWORD indices[nIndices];"}, 3, kAlways},
    {"FVFData", "b6e70a0e-8ef9-4e83-94ad-ecc8b0c04897",
     {"DWORD dwFVF;", "DWORD nDWords;", "array DWORD data[nDWords];"}, 3, kAlways},
    {"Header", "3D82AB43-62DA-11cf-AB39-0020AF71E433",
     {"WORD major;", "WORD minor;", "DWORD flags;"}, 3, kOptional},
    {"Vector", "3D82AB5E-62DA-11cf-AB39-0020AF71E433",
     {"FLOAT x;", "FLOAT y;", "FLOAT z;"}, 3, kOptional},
    {"Coords2d", "F6F23F44-7686-11cf-8F52-0040333594A3", {"FLOAT u;", "FLOAT v;"}, 2, kOptional},
    {"Matrix4x4", "F6F23F45-7686-11cf-8F52-0040333594A3", {"array FLOAT matrix[16];"}, 1,
     kOptional},
    {"ColorRGBA", "35FF44E0-6C7C-11cf-8F52-0040333594A3",
     {"FLOAT red;", "FLOAT green;", "FLOAT blue;", "FLOAT alpha;"}, 4, kOptional},
    {"ColorRGB", "D3E16E81-7835-11cf-8F52-0040333594A3",
     {"FLOAT red;", "FLOAT green;", "FLOAT blue;"}, 3, kOptional},
    {"IndexedColor", "1630B820-7842-11cf-8F52-0040333594A3",
     {"DWORD index;", "ColorRGBA indexColor;"}, 2, kOptional},
    {"Material", "3D82AB4D-62DA-11cf-AB39-0020AF71E433",
     {"ColorRGBA faceColor;", "FLOAT power;", "ColorRGB specularColor;",
      "ColorRGB emissiveColor;", "[...]"}, 5, kOptional},
    {"TextureFilename", "A42790E1-7810-11cf-8F52-0040333594A3", {"STRING filename;"}, 1,
     kOptional},
    {"MeshFace", "3D82AB5F-62DA-11cf-AB39-0020AF71E433",
     {"DWORD nFaceVertexIndices;", "array DWORD faceVertexIndices[nFaceVertexIndices];"}, 2,
     kOptional},
    {"MeshTextureCoords", "F6F23F40-7686-11cf-8F52-0040333594A3",
     {"DWORD nTextureCoords;", "array Coords2d textureCoords[nTextureCoords];"}, 2, kOptional},
    {"MeshMaterialList", "F6F23F42-7686-11cf-8F52-0040333594A3",
     {"DWORD nMaterials;", "DWORD nFaceIndexes;", "array DWORD faceIndexes[nFaceIndexes];",
      "[Material]"}, 4, kOptional},
    {"MeshNormals", "F6F23F43-7686-11cf-8F52-0040333594A3",
     {"DWORD nNormals;", "array Vector normals[nNormals];", "DWORD nFaceNormals;",
      "array MeshFace faceNormals[nFaceNormals];"}, 4, kOptional},
    {"MeshVertexColors", "1630B821-7842-11cf-8F52-0040333594A3",
     {"DWORD nVertexColors;", "array IndexedColor vertexColors[nVertexColors];"}, 2, kOptional},
    {"Mesh", "3D82AB44-62DA-11cf-AB39-0020AF71E433",
     {"DWORD nVertices;", "array Vector vertices[nVertices];", "DWORD nFaces;",
      "array MeshFace faces[nFaces];", "[...]"}, 5, kOptional},
    {"FrameTransformMatrix", "F6F23F41-7686-11cf-8F52-0040333594A3", {"Matrix4x4 frameMatrix;"},
     1, kOptional},
    {"Frame", "3D82AB46-62DA-11cf-AB39-0020AF71E433", {"[...]"}, 1, kOptional},
    {"FloatKeys", "10DD46A9-775B-11cf-8F52-0040333594A3",
     {"DWORD nValues;", "array FLOAT values[nValues];"}, 2, kOptional},
    {"TimedFloatKeys", "F406B180-7B3B-11cf-8F52-0040333594A3",
     {"DWORD time;", "FloatKeys tfkeys;"}, 2, kOptional},
    {"AnimationKey", "10DD46A8-775B-11cf-8F52-0040333594A3",
     {"DWORD keyType;", "DWORD nKeys;", "array TimedFloatKeys keys[nKeys];"}, 3, kOptional},
    {"AnimationOptions", "E2BF56C0-840F-11cf-8F52-0040333594A3",
     {"DWORD openclosed;", "DWORD positionquality;"}, 2, kOptional},
    {"Animation", "3D82AB4F-62DA-11cf-AB39-0020AF71E433", {"[...]"}, 1, kOptional},
    {"AnimationSet", "3D82AB50-62DA-11cf-AB39-0020AF71E433", {"[Animation]"}, 1, kOptional},
    {"XSkinMeshHeader", "3CF169CE-FF7C-44ab-93C0-F78F62D172E2",
     {"WORD nMaxSkinWeightsPerVertex;", "WORD nMaxSkinWeightsPerFace;", "WORD nBones;"}, 3,
     kAlways},
    {"SkinWeights", "6F0D123B-BAD2-4167-A0D0-80224F25FABB",
     {"STRING transformNodeName;", "DWORD nWeights;", "array DWORD vertexIndices[nWeights];",
      "array FLOAT weights[nWeights];", "Matrix4x4 matrixOffset;"}, 5, kAlways},
    {"AnimTicksPerSecond", "9E415A43-7BA6-4a73-8743-B73D47E88476",
     {"DWORD AnimTicksPerSecond;"}, 1, kAlways},
}};

const std::array<XTemplateDecl, 28> kXTemplates = kXTemplateTable;

void WriteTemplateBlock(TextSink& sink, bool exportTemplates) {
  for (const XTemplateDecl& decl : kXTemplates) {
    if (decl.onlyWithTemplatesOption && !exportTemplates) continue;
    sink.Text("\ntemplate ");
    sink.Text(decl.name);
    sink.Text(" {\n <");
    sink.Text(decl.guid);
    sink.Text(">\n");
    for (std::size_t i = 0; i < decl.memberCount; ++i) {
      sink.Char(' ');
      sink.Text(decl.members[i]);
      sink.Char('\n');
    }
    sink.Text("}\n");
  }
}

}  // namespace ortolix
