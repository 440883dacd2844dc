#include "platform/framework/model.h"

#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "platform/framework/view_model.h"
#include "platform/testing/recorder.h"

using framework::Variant;

namespace {
class TestModel : public framework::ModelImpl {
 public:
  TestModel() : ModelImpl(77) {}
};
}  // namespace

TEST(Model, EventsReachSubscribersInOrderAndAreAnnounced) {
  testing_support::Recorder rec;
  auto model = std::make_shared<TestModel>();
  std::vector<std::string> seen;
  int a = 0, b = 0;
  model->Subscribe(5, &a, [&](const Variant* p) { seen.push_back("a" + p->AsStr()); });
  model->Subscribe(5, &b, [&](const Variant* p) { seen.push_back("b" + p->AsStr()); });
  model->Subscribe(6, &a, [&](const Variant*) { seen.push_back("other"); });
  Variant payload("!");
  model->FireEvent(5, &payload);
  EXPECT_EQ(seen, (std::vector<std::string>{"a!", "b!"}));
  auto events = rec.Of("event");
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].GetInt32("model"), 77);
  EXPECT_EQ(events[0].GetInt32("event"), 5);
  EXPECT_EQ(events[0].GetString("payload"), "!");
  model->FireEvent(6, nullptr);
  EXPECT_FALSE(rec.Of("event")[1].Has("payload"));  // no payload pointer: no field

  model->Unsubscribe(5, &a);
  EXPECT_EQ(model->SubscriberCount(5), 1);
  model->Unsubscribe(&a);
  EXPECT_EQ(model->SubscriberCount(), 1);
  EXPECT_FALSE(model->Call(1, nullptr, nullptr));
}

TEST(Model, SubscribersMayUnsubscribeOthersOrThemselvesDuringDispatch) {
  auto model = std::make_shared<TestModel>();
  int first = 0, second = 0;
  int second_calls = 0;
  auto owner = std::make_unique<int>(0);
  model->Subscribe(1, &first, [&](const Variant*) {
    model->Unsubscribe(&second);  // removed before its turn: must not run
    owner.reset();                // the subscriber's own state dies
  });
  model->Subscribe(1, &second, [&](const Variant*) { ++second_calls; });
  model->FireEvent(1, nullptr);
  EXPECT_EQ(second_calls, 0);
  EXPECT_EQ(model->SubscriberCount(1), 1);
}

TEST(ViewModel, AHandlerThatSetsItsPropertyAgainKeepsTheValueItWasGiven) {
  auto vm = std::make_shared<framework::StatefulViewModel>();
  std::vector<std::string> seen;
  vm->BindProp(1, [&](const Variant* v) {
    const std::string first = v->AsStr();
    if (first == "outer") {
      vm->SetPropValue(1, Variant());
      vm->SetPropValue(1, Variant("inner"));
    }
    // Read again after the nested sets replaced the stored value.
    seen.push_back(first + "/" + v->AsStr());
  });
  vm->SetPropValue(1, Variant("outer"));
  EXPECT_EQ(seen, (std::vector<std::string>{"/", "inner/inner", "outer/outer"}));
  EXPECT_EQ(vm->PickPropValue(1).AsStr(), "inner");
}

TEST(ViewModel, PropertiesReachTheBoundViewAndLateBindersGetTheLastValue) {
  testing_support::Recorder rec;
  auto vm = std::make_shared<framework::StatefulViewModel>();
  vm->SetType(42);
  vm->SetPropValue(1, Variant("early"));
  std::vector<std::string> got;
  vm->BindProp(1, [&](const Variant* v) { got.push_back(v->AsStr()); });
  vm->SetPropValue(1, Variant("late"));
  EXPECT_EQ(got, (std::vector<std::string>{"early", "late"}));
  EXPECT_EQ(vm->PickPropValue(1).AsStr(), "late");
  EXPECT_TRUE(vm->PickPropValue(2).IsNull());
  auto props = rec.Of("prop");
  ASSERT_EQ(props.size(), 2u);
  EXPECT_EQ(props[1].GetInt32("vm_type"), 42);
  EXPECT_EQ(props[1].GetInt32("prop"), 1);

  std::vector<int> states;
  vm->SetStateListener([&](int s, const Variant*) { states.push_back(s); });
  vm->SetStatefulData(2, nullptr);
  vm->SetStatefulData(2, nullptr);  // unchanged states are still reported
  EXPECT_EQ(states, (std::vector<int>{2, 2}));
  EXPECT_EQ(vm->GetCurrentState(), 2);
  EXPECT_EQ(rec.Of("state").size(), 2u);
}

TEST(ViewModel, RecordedSubscriptionsEndWithTheViewModel) {
  auto model = std::make_shared<TestModel>();
  auto priority = std::make_shared<framework::PriorityModel>(502);
  int calls = 0;
  {
    auto vm = std::make_shared<framework::StatefulViewModel>();
    vm->RecordSubscribe(model.get(), 3, [&](const Variant*) { ++calls; }, base::Location());
    vm->RecordPrioritySubscribe(priority.get(), 10, 99, [&](Variant*, bool*) { ++calls; });
    model->FireEvent(3, nullptr);
    priority->FirePriorityEvent(10, nullptr);
    EXPECT_EQ(calls, 2);
  }
  model->FireEvent(3, nullptr);
  priority->FirePriorityEvent(10, nullptr);
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(model->SubscriberCount(), 0);
  EXPECT_EQ(priority->PrioritySubscriberCount(10), 0);

  // A record of a model that is gone is simply dropped.
  auto vm = std::make_shared<framework::StatefulViewModel>();
  auto short_lived = std::make_shared<TestModel>();
  vm->RecordSubscribe(short_lived.get(), 1, [](const Variant*) {}, base::Location());
  short_lived.reset();
  vm.reset();
}

TEST(PriorityModel, HigherPriorityFirstAndHandledStopsTheDispatch) {
  framework::PriorityModel model(502);
  std::vector<int> order;
  int a = 0, b = 0, c = 0;
  model.SubscribeWithPriority(10, &a, 1, [&](Variant*, bool*) { order.push_back(1); });
  model.SubscribeWithPriority(10, &b, 99, [&](Variant* p, bool* handled) {
    order.push_back(99);
    (*p)["seen"] = true;
  });
  model.SubscribeWithPriority(10, &c, 50, [&](Variant*, bool* handled) {
    order.push_back(50);
    *handled = true;
  });
  Variant payload = Variant::MakeMap();
  EXPECT_TRUE(model.FirePriorityEvent(10, &payload));
  EXPECT_EQ(order, (std::vector<int>{99, 50}));
  EXPECT_TRUE(payload.GetBool("seen"));
}
