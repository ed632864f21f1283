#pragma once

#include "profile/CBasicProfiledata.h"

#include <vector>

// The mouse's profile object: the common sections plus its sensitivity stages ("DPIStages")
// and its system settings ("SystemStages" and "ReportStages").
class CMouseProfiledata : public CBasicProfiledata {
public:
    static constexpr size_t kMaxDpiStages = 7;

    // Reads the active stage and the stages of the node; a read stage overwrites the held stage
    // of its position, held stages beyond the read ones keep their values. At most seven stages.
    std::vector<DpiStage> GetDpiStages();
    // Replaces the held stages and writes stage i to element i of "StageDPIs"; elements beyond
    // the list stay in the node.
    void SetDpiStages(const std::vector<DpiStage>& stages);
    // The active stage held, without reading the node.
    int GetActiveStage() const { return m_activeStage; }
    // Clamped to 0..6.
    void SetActiveStage(int stage);
    MouseSystemSettings GetMouseSystem();
    void SetMouseSystem(const MouseSystemSettings& settings);

private:
    std::vector<DpiStage> m_stages;
    int m_activeStage = 0;
    MouseSystemSettings m_system;
};
