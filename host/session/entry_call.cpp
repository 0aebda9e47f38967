#include "session/entry_call.h"

#include "host/projmodel.h"
#include "model/workspace.h"
#include "store/store_json.h"

namespace qxhost::session {

namespace {

constexpr int utility_streams_class = 2005;

}  // namespace

ProjectIdentity identity_for(const RunRequest& request, const Project& project)
{
    return ProjectIdentity{request.instance.value_or(project.instance), request.name.value_or(project.name),
                           request.scenario.value_or(project.scenario)};
}

namespace {

constexpr std::pair<RunRequest::Call, std::string_view> call_names[] = {
    {RunRequest::Call::full, "full"}, {RunRequest::Call::reduced, "reduced"}, {RunRequest::Call::pass, "pass"}};

}  // namespace

std::string_view call_name(RunRequest::Call call)
{
    for (const auto& [named, name] : call_names)
        if (named == call) return name;
    return {};
}

std::optional<RunRequest::Call> call_named(std::string_view name)
{
    for (const auto& [call, call_name] : call_names)
        if (call_name == name) return call;
    return std::nullopt;
}

std::string call_text(const RunRequest& request)
{
    return store::call_text(std::string(call_name(request.call)), request.class_id, request.record ? 1 : 0);
}

EntryCall::EntryCall(const Module& module, const RunRequest& request) : class_id_(request.class_id)
{
    if (request.call != RunRequest::Call::pass) {
        run_ = request.call == RunRequest::Call::reduced ? module.entry<RunEntry>("tovex_get_utility_old")
                                                         : module.entry<RunEntry>("tovex_get_utility_init");
    } else if (request.record) {
        recording_pass_ = module.entry<RecordingPassEntry>("tovex_get_utility_for_class_and_equip_info");
    } else {
        pass_ = module.entry<PassEntry>("tovex_get_utility_for_class");
    }
}

int EntryCall::call(const ProjectIdentity& identity, const CallerLists& lists) const
{
    if (run_ != nullptr) {
        return run_(identity.name.c_str(), identity.scenario.c_str(), identity.instance, lists.names(),
                    lists.cost_slots(), lists.values());
    }
    return pass(identity, lists);
}

int EntryCall::pass(const ProjectIdentity& identity, const CallerLists& lists) const
{
    CqxProject project(identity.instance, identity.name.c_str(), identity.scenario.c_str(), 0, nullptr, nullptr, 0);
    if (project.IsValid() == 0) return 0;
    CqxSimCase sim_case(identity.instance, nullptr, identity.name.c_str(), identity.scenario.c_str(), 0,
                        QX_SIMULATOR_TYPE_4);
    CqxProjectStreamsConfig config(&project, utility_streams_class, 0);
    if (config.IsValid() == 0) return 0;
    if (recording_pass_ != nullptr) {
        return recording_pass_(&project, &sim_case, &config, class_id_, lists.names(), lists.cost_slots(),
                               lists.values(), 1);
    }
    return pass_(&project, &sim_case, &config, class_id_, lists.names(), lists.cost_slots(),
                 lists.values());
}

std::string why_not_valid(const ProjectIdentity& identity)
{
    const Project* loaded = Workspace::get().project();
    CqxProject project(identity.instance, identity.name.c_str(), identity.scenario.c_str(), 0, nullptr, nullptr, 0);
    if (loaded != nullptr && project.IsValid() == 0) {
        return "the project file holds instance " + std::to_string(loaded->instance) + ", name \"" + loaded->name +
               "\" and scenario \"" + loaded->scenario + "\", not instance " + std::to_string(identity.instance) +
               ", name \"" + identity.name + "\" and scenario \"" + identity.scenario + "\"";
    }
    if (loaded != nullptr && !loaded->has_utility_streams) return "the project has no utility streams configuration";
    return "its utility streams configuration is marked not valid";
}

}  // namespace qxhost::session
