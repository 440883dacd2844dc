#include "simulator/trace_writer.h"

#include <chrono>
#include <cstdlib>

#include "platform/util/time.h"

namespace sim {

namespace {

// The module's own source files; everything else logging is the platform.
bool IsModuleFile(const std::string& file) { return file.rfind("after_meeting/", 0) == 0; }

uint64_t WallMs() {
  using namespace std::chrono;
  return static_cast<uint64_t>(
      duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count());
}

// Copies the named fields, in this order, when present.
Json Pick(const base::variant::Variant& fields, std::initializer_list<const char*> names) {
  Json out = Json::object();
  for (const char* name : names)
    if (fields.Has(name)) out[name] = VariantToJson(fields.Get(name));
  return out;
}

}  // namespace

TraceWriter::TraceWriter(std::FILE* out) : out_(out) {}

TraceWriter::~TraceWriter() {
  if (out_) std::fflush(out_);
}

std::string TraceWriter::PageName(int vm_type) {
  switch (static_cast<uint32_t>(vm_type)) {
    case 0x2EFE6785u:
      return "conclusion";
    case 0x185C49EAu:
      return "feedback";
    case 0x15DBB391u:
      return "container";
    default:
      return "type:" + std::to_string(vm_type);
  }
}

void TraceWriter::BeginStep(int index) {
  step_ = index;
  step_lines_.clear();
}

Json TraceWriter::Convert(std::string_view kind, const base::variant::Variant& f, bool* keep) {
  *keep = true;
  if (kind == "log") {
    const std::string file = f.GetString("file");
    if (!IsModuleFile(file)) {
      *keep = false;
      const int level = f.GetInt32("level");
      if (level <= platform_log_level_)
        std::fprintf(stderr, "platform [%d] %s:%d %s\n", level, file.c_str(), f.GetInt32("line"),
                     f.GetString("text").c_str());
      return nullptr;
    }
    Json out = Pick(f, {"level", "text"});
    if (out.contains("text") && !view_addresses_.empty())
      out["text"] = NormalizeViewsInText(out["text"].get<std::string>());
    return out;
  }
  if (kind == "report") return Pick(f, {"id", "props"});
  if (kind == "host_call") return Pick(f, {"model", "call", "param", "ok", "result"});
  if (kind == "event") return Pick(f, {"model", "event", "payload"});
  if (kind == "prop" || kind == "state") {
    Json out = Json::object();
    out["page"] = PageName(f.GetInt32("vm_type"));
    Json rest = kind == "prop" ? Pick(f, {"prop", "value"}) : Pick(f, {"state"});
    if (rest.contains("value")) NormalizeViews(&rest["value"]);
    for (auto it = rest.begin(); it != rest.end(); ++it) out[it.key()] = it.value();
    return out;
  }
  if (kind == "controller") return Pick(f, {"uri", "action", "params"});
  if (kind == "navigate") return Pick(f, {"op", "uri", "params"});
  if (kind == "toast") return Pick(f, {"text", "type", "duration_ms"});
  if (kind == "string") return Pick(f, {"table", "id", "text"});
  Json out = Json::object();
  for (const auto& [k, v] : f.AsMap()) out[k] = VariantToJson(v);
  return out;
}

uint64_t TraceWriter::ViewOrdinal(uint64_t address) {
  if (address == 0) return 0;
  for (size_t i = 0; i < view_addresses_.size(); ++i)
    if (view_addresses_[i] == address) return i + 1;
  view_addresses_.push_back(address);
  return view_addresses_.size();
}

void TraceWriter::NormalizeViews(Json* value) {
  if (value->is_array()) {
    for (Json& element : *value) NormalizeViews(&element);
    return;
  }
  if (!value->is_object()) return;
  if (value->contains("extension_id") && value->contains("view")) {
    Json& view = (*value)["view"];
    if (view.is_object() && view.contains("$uint64") && view["$uint64"].is_string()) {
      const uint64_t address =
          std::strtoull(view["$uint64"].get<std::string>().c_str(), nullptr, 10);
      view["$uint64"] = std::to_string(ViewOrdinal(address));
    }
  }
  for (auto it = value->begin(); it != value->end(); ++it)
    if (it.key() != "view") NormalizeViews(&it.value());
}

std::string TraceWriter::NormalizeViewsInText(std::string text) const {
  for (size_t i = 0; i < view_addresses_.size(); ++i) {
    const std::string address = std::to_string(view_addresses_[i]);
    const std::string ordinal = std::to_string(i + 1);
    for (size_t at = text.find(address); at != std::string::npos;
         at = text.find(address, at + ordinal.size()))
      text.replace(at, address.size(), ordinal);
  }
  return text;
}

void TraceWriter::OnBoundary(std::string_view kind, const base::variant::Variant& fields) {
  bool keep = true;
  Json converted = Convert(kind, fields, &keep);
  if (keep) Write(std::string(kind), std::move(converted));
}

void TraceWriter::Write(const std::string& kind, Json fields) {
  Json line = Json::object();
  line["step"] = step_;
  line["t_ms"] = util::time::GetTimestampMsec();
  line["t_wall_ms"] = WallMs();
  line["kind"] = kind;
  if (fields.is_object())
    for (auto it = fields.begin(); it != fields.end(); ++it) line[it.key()] = it.value();
  if (out_) {
    const std::string text = line.dump(-1, ' ', false, Json::error_handler_t::replace);
    std::fwrite(text.data(), 1, text.size(), out_);
    std::fputc('\n', out_);
    std::fflush(out_);
  }
  step_lines_.push_back(line);
  if (listener_) listener_(line);
}

}  // namespace sim
