#pragma once

// The login of the start-up: one attempt, true when a user logged in (the data module then holds
// the user). A new database first gets its pharmacist account (TUsuarios::CrearCuentaInicialSiFalta);
// a user who must change the password chooses a new one before the login counts. Writes the
// audit rows of the attempt: pending when the dialog opens, then accepted or refused.
bool Login();
