// framework::LocalizedStrings: the host's string tables, one set per language, and the module
// asset tables registered by modules. Every lookup is announced on the observer seam as kind
// "string".
//
//   LocalizedStrings::Instance().LoadFile(":/strings/host_en.json");   // {"language": "en", ...}
//   LocalizedStrings::Instance().SetLanguage("de");
//   std::string close = LocalizedStrings::Instance().Lookup(StringTable::kHost, 0x92B43A53);
//
// A text missing in the current language falls back to English, then to "". The host's tables
// (platform/resources/strings, one file per feature and language) load on first use.
// UI thread only.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace framework {

enum class StringTable {
  kHost,    // GetLocalizedString, FormatString
  kAsset,   // GetAssetLocalizedString
  kModule,  // a module's own asset provider
};

class LocalizedStrings {
 public:
  static LocalizedStrings& Instance();

  // Reads a table file: {"language": "en", "table": "host"|"asset"|"module",
  // "strings": {"0x92B43A53": "Close", ...}}, or several tables of one feature at once:
  // {"language": "en", "tables": {"host": {...}, "asset": {...}}}. False on a file that cannot
  // be read or parsed.
  bool LoadFile(const std::string& path);
  // The host's own tables, ":/velmo_strings/*.json" (loaded when the instance is first used).
  void LoadHostTables();
  void Set(StringTable table, const std::string& language, uint32_t id, std::string text);
  std::string Lookup(StringTable table, uint32_t id) const;
  bool Has(StringTable table, const std::string& language, uint32_t id) const;

  void SetLanguage(const std::string& language);
  const std::string& language() const { return language_; }
  std::vector<std::string> Languages() const;

  // Called after SetLanguage changed the language, so open pages can retranslate.
  using LanguageListener = std::function<void(const std::string&)>;
  int AddLanguageListener(LanguageListener listener);
  void RemoveLanguageListener(int id);

 private:
  LocalizedStrings() = default;
  using Table = std::map<uint32_t, std::string>;
  std::map<std::pair<StringTable, std::string>, Table> tables_;
  std::string language_ = "en";
  std::map<int, LanguageListener> listeners_;
  int next_listener_ = 1;
};

// Shows toasts for view models; the host installs the presenter (the simulator draws them).
class ToastPresenter {
 public:
  using Handler = std::function<void(int type, const std::string& text, int duration_ms,
                                     void* context)>;
  static ToastPresenter& Instance();
  void SetHandler(Handler handler) { handler_ = std::move(handler); }
  void Show(int type, const std::string& text, int duration_ms, void* context);
  int shown_count() const { return shown_count_; }

 private:
  Handler handler_;
  int shown_count_ = 0;
};

}  // namespace framework
