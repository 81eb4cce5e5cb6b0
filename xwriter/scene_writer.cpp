#include "xwriter/scene_writer.h"

#include "hostapi/time_stamp.h"
#include "xwriter/animation_writer.h"
#include "xwriter/frame_writer.h"
#include "xwriter/text_format.h"
#include "xwriter/x_templates.h"

namespace ortolix {
namespace {

int WriteFrames(TextSink* sink, const WriteContext& context) {
  if (HasArray(context.model->bones)) return WriteSkeletonFrames(sink, context);
  if (IsSet(context.options->exportGroupsAsMeshes)) return WriteGroupMeshFrames(sink, context, 0);
  return WriteSingleMeshFrame(sink, context, 0);
}

void WriteAnimations(TextSink& sink, const WriteContext& context) {
  const HostModel& model = *context.model;
  sink.Text("\n// Start of Animation\n\n");
  for (std::int32_t a = 0; a < model.animations.count; ++a) {
    WriteAnimationSet(sink, context, model.animations.items[a]);
  }
}

}  // namespace

int WriteHeaderAndTemplates(TextSink* sink, const WriteContext& context) {
  if (sink == nullptr || context.model == nullptr) return 0;
  HostModel& model = *context.model;
  sink->Text("xof 0303txt 0032\n");
  (void)RefreshTimeStamp(model);
  Print(*sink,
        "\n// DirectX 9.0 file\n// Creator: %s %s\n// Website: %s\n// Time: %s\n\n// Start of "
        "Templates\n",
        model.creatorName.Narrow(), model.creatorVersion.Narrow(), model.website.Narrow(),
        model.timeStamp.Narrow());
  WriteTemplateBlock(*sink, IsSet(context.options->exportTemplates));
  return 1;
}

int WriteScene(TextSink* sink, const WriteContext& context) {
  if (sink == nullptr || context.model == nullptr) return 0;
  if (WriteHeaderAndTemplates(sink, context) == 0) return 0;
  const ExportOptions& options = *context.options;
  if (IsSet(options.exportTicksPerSecond)) {
    Print(*sink, "\nAnimTicksPerSecond {\n %d;\n}\n", options.ticksPerSecond);
  }
  sink->Text("\n// Start of Frames\n\n");
  if (WriteFrames(sink, context) == 0) return 0;
  const HostModel& model = *context.model;
  if (!HasArray(model.bones) || !HasArray(model.animations) ||
      !IsSet(options.exportAnimation)) {
    return 1;
  }
  WriteAnimations(*sink, context);
  return 1;
}

}  // namespace ortolix
