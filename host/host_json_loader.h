// The JSON loader's sections; internal to the host library.
#pragma once

#include "host/host_model_builder.h"
#include "host/json_read.h"

namespace ortolix {

class HostJsonLoader {
 public:
  HostJsonLoader(InProcessHost& host) : host_(host), build_(host) {}

  // Throws JsonReadError (bad document) or std::bad_alloc.
  void Load(const Json& document);

 private:
  void LoadHeader(const Json& document, const JsonPath& path);
  void LoadMaterials(const Json& list, const JsonPath& path);
  void LoadMaterial(const Json& value, const JsonPath& path);
  void LoadTexture(std::int32_t material, const Json& value, const JsonPath& path);
  void LoadVertices(const Json& list, const JsonPath& path);
  void LoadVertex(std::size_t index, const Json& value, const JsonPath& path);
  void LoadGroups(const Json& list, const JsonPath& path);
  void LoadMeshes(const Json& list, const JsonPath& path);
  void LoadFaces(std::int32_t mesh, const Json& list, const JsonPath& path);
  void LoadFace(HostFace& face, const Json& value, const JsonPath& path);
  void LoadBones(const Json& list, const JsonPath& path);
  void LoadAnimations(const Json& list, const JsonPath& path);
  void LoadTracks(std::int32_t animation, const Json& list, const JsonPath& path);
  void LoadPlaced(const Json* list1, const Json* list2, const JsonPath& root);
  void LoadExtras(const Json& list, const JsonPath& path);

  InProcessHost& host_;
  HostModelBuilder build_;
};

}  // namespace ortolix
