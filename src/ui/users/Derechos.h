#pragma once

// The rights of the profiles as the screens apply them. The pharmacist check itself is
// DM().EsFarmaceutico().

// True when the logged-in user may modify or delete treatment lines (a pharmacist); otherwise
// shows the warning that the user has no permission and returns false.
bool PermisoCambioTratamiento();
