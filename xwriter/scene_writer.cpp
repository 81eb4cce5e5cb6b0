#include "xwriter/scene_writer.h"

#include "platform/crt/clock.h"
#include "platform/crt/ctime_text.h"
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

// The runtime's text ends in a line feed, which is dropped. A clock outside
// the runtime's range gives no text, and its "%s" of a null text prints
// "(null)"; dropping the last character leaves "(null".
void RefreshTimeStamp(HostModel& model) {
  WideChar text[kCTimeBufferSize];
  WideChar stamp[HostPathString::kCapacity] = {};
  if (WideCTime64(Time64(), text)) {
    std::size_t n = 0;
    while (text[n] != 0 && n + 1 < HostPathString::kCapacity) stamp[n] = text[n], ++n;
    if (n > 0) stamp[n - 1] = 0;
  } else {
    const char16_t null_text[] = u"(null";
    for (std::size_t i = 0; i < sizeof null_text / sizeof null_text[0]; ++i) stamp[i] = null_text[i];
  }
  model.timeStamp = HostPathString(stamp);
}

int WriteHeaderAndTemplates(TextSink* sink, const WriteContext& context) {
  if (sink == nullptr || context.model == nullptr) return 0;
  HostModel& model = *context.model;
  sink->Text("xof 0303txt 0032\n");
  RefreshTimeStamp(model);
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
