#include "link/LinkAddress.h"

#include "core/NumberField.h"
#include "link/Exchange.h"

#include <algorithm>

namespace vexa {

namespace {

// The shown text of a field, held within its shown range, less the numbering base.
int StoredFromShown(const Session& session, const std::string& shownText, ShownRange range) {
    return ClampedFieldValue(shownText, range.lowest, range.highest) - session.numberingBase;
}

} // namespace

int HighestModuleAddress(const Session& session) {
    return session.link.useCorvan ? HighestTunnelModuleAddress : HighestDirectModuleAddress;
}

ShownRange ModuleAddressShownRange(const Session& session) {
    return {session.numberingBase, session.numberingBase + HighestModuleAddress(session)};
}

ShownRange XAddressShownRange(const Session& session) {
    return {session.numberingBase, session.numberingBase + HighestXAddress};
}

std::string ShownModuleAddress(const Session& session) {
    return std::to_string(session.link.moduleAddress + session.numberingBase);
}

std::string ShownXAddress(const Session& session) {
    return std::to_string(session.link.xAddress + session.numberingBase);
}

int SetModuleAddress(Session& session, int address) {
    const int stored = std::clamp(address, 0, HighestModuleAddress(session));
    if (stored != session.link.moduleAddress) {
        session.link.moduleAddress = stored;
        ResetFrameToggle(session);
    }
    return stored;
}

int SetXAddress(Session& session, int address) {
    session.link.xAddress = std::clamp(address, 0, HighestXAddress);
    return session.link.xAddress;
}

int EnterModuleAddress(Session& session, const std::string& shownText) {
    const int stored = SetModuleAddress(session, StoredFromShown(session, shownText, ModuleAddressShownRange(session)));
    // Every entry resynchronises, also of the same address: that is how a user brings the link
    // back after the controller was reset.
    ResetFrameToggle(session);
    return stored;
}

int EnterXAddress(Session& session, const std::string& shownText) {
    return SetXAddress(session, StoredFromShown(session, shownText, XAddressShownRange(session)));
}

void ReapplyModuleAddress(Session& session) {
    SetModuleAddress(session, session.link.moduleAddress);
    // The link itself changed (the tunnel ended): resynchronise even when the address stays.
    ResetFrameToggle(session);
}

void SetNumberingBase(Session& session, bool startAtOne) {
    session.numberingBase = startAtOne ? 1 : 0;
}

} // namespace vexa
