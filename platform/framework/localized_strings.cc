#include "platform/framework/localized_strings.h"

#include <algorithm>
#include <cstdlib>

#include <QDir>
#include <QFile>

#include "platform/base/json.h"
#include "platform/base/log.h"
#include "platform/base/observer.h"
#include "platform/base/variant.h"

namespace framework {

namespace {
const char* TableName(StringTable table) {
  switch (table) {
    case StringTable::kHost: return "host";
    case StringTable::kAsset: return "asset";
    case StringTable::kModule: return "module";
  }
  return "host";
}

bool TableFromName(const std::string& name, StringTable* table) {
  if (name == "host") *table = StringTable::kHost;
  else if (name == "asset") *table = StringTable::kAsset;
  else if (name == "module") *table = StringTable::kModule;
  else return false;
  return true;
}
}  // namespace

LocalizedStrings& LocalizedStrings::Instance() {
  static LocalizedStrings* instance = [] {
    auto* strings = new LocalizedStrings();
    strings->LoadHostTables();
    return strings;
  }();
  return *instance;
}

void LocalizedStrings::LoadHostTables() {
  const QString dir = QStringLiteral(":/velmo_strings");
  for (const QString& file : QDir(dir).entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name))
    LoadFile((dir + "/" + file).toStdString());
}

bool LocalizedStrings::LoadFile(const std::string& path) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) {
    VLOG(1) << "string table not readable: " << path;
    return false;
  }
  const QByteArray bytes = file.readAll();
  base::json::JsonValue doc;
  if (!base::json::JsonValue::Parse(std::string_view(bytes.constData(), bytes.size()), &doc) ||
      !doc["language"].IsString()) {
    VLOG(1) << "string table malformed: " << path;
    return false;
  }
  // One table ("table" and "strings"), or several ("tables": {"host": {...}, "asset": {...}}).
  std::vector<std::pair<StringTable, base::json::JsonValue>> parts;
  StringTable table = StringTable::kHost;
  if (doc["tables"].IsObject()) {
    const base::json::JsonValue tables = doc["tables"];
    for (const std::string& name : tables.MemberNames()) {
      if (!TableFromName(name, &table) || !tables[name].IsObject()) {
        VLOG(1) << "string table malformed: " << path;
        return false;
      }
      parts.emplace_back(table, tables[name]);
    }
  } else if (TableFromName(doc["table"].AsString(), &table) && doc["strings"].IsObject()) {
    parts.emplace_back(table, doc["strings"]);
  } else {
    VLOG(1) << "string table malformed: " << path;
    return false;
  }
  const std::string language = doc["language"].AsString();
  for (const auto& [part_table, strings] : parts) {
    for (const std::string& key : strings.MemberNames()) {
      char* end = nullptr;
      unsigned long id = std::strtoul(key.c_str(), &end, 0);
      if (end == key.c_str() || *end != '\0' || !strings[key].IsString()) continue;
      Set(part_table, language, static_cast<uint32_t>(id), strings[key].AsString());
    }
  }
  return true;
}

void LocalizedStrings::Set(StringTable table, const std::string& language, uint32_t id,
                           std::string text) {
  tables_[{table, language}][id] = std::move(text);
}

std::string LocalizedStrings::Lookup(StringTable table, uint32_t id) const {
  std::string text;
  for (const std::string& language : {language_, std::string("en")}) {
    auto t = tables_.find({table, language});
    if (t == tables_.end()) continue;
    auto it = t->second.find(id);
    if (it == t->second.end()) continue;
    text = it->second;
    break;
  }
  base::observer::Notify("string", [&] {
    base::variant::Variant::Map m;
    m["table"] = TableName(table);
    m["id"] = id;
    m["text"] = text;
    return base::variant::Variant(std::move(m));
  });
  return text;
}

bool LocalizedStrings::Has(StringTable table, const std::string& language, uint32_t id) const {
  auto t = tables_.find({table, language});
  return t != tables_.end() && t->second.count(id) > 0;
}

void LocalizedStrings::SetLanguage(const std::string& language) {
  if (language == language_) return;
  language_ = language;
  auto listeners = listeners_;
  for (auto& [id, listener] : listeners) listener(language_);
}

std::vector<std::string> LocalizedStrings::Languages() const {
  std::vector<std::string> out;
  for (const auto& [key, table] : tables_) {
    if (std::find(out.begin(), out.end(), key.second) == out.end()) out.push_back(key.second);
  }
  return out;
}

int LocalizedStrings::AddLanguageListener(LanguageListener listener) {
  int id = next_listener_++;
  listeners_[id] = std::move(listener);
  return id;
}

void LocalizedStrings::RemoveLanguageListener(int id) { listeners_.erase(id); }

ToastPresenter& ToastPresenter::Instance() {
  static ToastPresenter* instance = new ToastPresenter();
  return *instance;
}

void ToastPresenter::Show(int type, const std::string& text, int duration_ms, void* context) {
  ++shown_count_;
  if (handler_) handler_(type, text, duration_ms, context);
}

}  // namespace framework
