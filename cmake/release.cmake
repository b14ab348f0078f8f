# What a release of Scribblet is, read by both builds (the top folder's for
# Linux, windows/ for Windows) so that the packages, the software-centre
# metadata and the programs' version resource say the same: the version, the
# day it came out (it changes with the version), and who answers for it, as
# its commits are signed.
set(SCRIBBLET_VERSION 1.10)
set(SCRIBBLET_RELEASE_DATE 2026-12-07)
set(SCRIBBLET_PUBLISHER "Scribblet maintainers")
set(SCRIBBLET_MAINTAINER
  "${SCRIBBLET_PUBLISHER} <maintainers@users.noreply.c-seed-9465e1d6.example>")
