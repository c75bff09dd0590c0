# Runs a command in a session of its own: a private Xvfb display and Wine
# prefix (session.sh), stopped when the command ends. The virtual machine
# runs its jobs through it: bash in-session.sh COMMAND [ARGUMENTS...]
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"
pnr_choose_wine
pnr_start_session
"$@"
