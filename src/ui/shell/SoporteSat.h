#pragma once

// "E-MAIL SAT": prepares the support message in the user's mail program. When no mail program
// takes it, says so and opens the folder of the event log, so the log can be sent another way.
void EnviarSolicitudSoporte();
