#include "files/DeviceHead.h"

namespace vexa {

bool CheckDeviceHead(Session& session, int pin) {
    const int head = HeadPinOf(session.image, pin);
    if (head < 0 || session.image.pins[static_cast<std::size_t>(head)].deviceReferral != 0) {
        session.prompter.ask(MessageKind::OkWarning, "Referral is not a device");
        return false;
    }
    return true;
}

} // namespace vexa
