// testing_support::ScriptableHostModel: a host model (meeting, record, banner, ...) whose calls
// are answered from a table and whose events are fired on demand, for tests and the simulator.
//
//   auto meeting = testing_support::InstallHostModel(514);        // in the module service
//   meeting->SetAnswer(3, true, item);                             // Call(3, ...) -> item, true
//   meeting->Fire(48, &payload);                                   // to every subscriber
//   EXPECT_EQ(meeting->CallsOf(3).size(), 1u);
//
// Every call is recorded and announced on the observer seam as kind "host_call". A call id
// with no answer returns false and leaves the result untouched. UI thread only.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "platform/base/variant.h"
#include "platform/framework/model.h"

namespace testing_support {

using base::variant::Variant;

class ScriptableHostModel : public framework::PriorityModel {
 public:
  // Answers a call: the returned bool, and what to write into the result when one is given.
  using Handler = std::function<bool(const Variant* params, Variant* result)>;

  explicit ScriptableHostModel(int type);

  void SetAnswer(int call_id, bool ok, Variant result);
  // An answer that writes nothing into the result.
  void SetAnswerWithoutResult(int call_id, bool ok);
  void SetHandler(int call_id, Handler handler);
  void RemoveAnswer(int call_id);
  void ClearAnswers();

  bool Call(int call_id, const Variant* params, Variant* result) override;

  struct CallRecord {
    int call_id = 0;
    bool has_params = false;
    Variant params;
    bool ok = false;
    bool has_result = false;
    Variant result;  // as the call left it
  };
  const std::vector<CallRecord>& calls() const { return calls_; }
  std::vector<CallRecord> CallsOf(int call_id) const;
  void ClearCalls() { calls_.clear(); }

  // The host fires its own events; these are not the module's and are not announced.
  void Fire(int event, const Variant* payload) { FireEvent(event, payload); }
  bool FirePriority(int event, Variant* payload) { return FirePriorityEvent(event, payload); }

 private:
  std::map<int, Handler> handlers_;
  std::vector<CallRecord> calls_;
};

// The host's configuration model (539): call 1 with {"group_id", "id"} answers the entry of
// that group and key; an absent entry answers false.
class ConfigurationHostModel : public ScriptableHostModel {
 public:
  static constexpr int kType = 539;
  static constexpr int kCallGetConfig = 1;
  ConfigurationHostModel();
  void SetEntry(const std::string& group, const std::string& key, Variant value);
  void RemoveEntry(const std::string& group, const std::string& key);
  void ClearEntries() { entries_.clear(); }

 private:
  std::map<std::pair<std::string, std::string>, Variant> entries_;
};

// Registers a new scriptable model of that type with the host module service (replacing any).
std::shared_ptr<ScriptableHostModel> InstallHostModel(int type);
std::shared_ptr<ConfigurationHostModel> InstallConfigurationModel();
void RemoveHostModel(int type);
void RemoveAllHostModels();

}  // namespace testing_support
