# Release packages, the installer round trip under Wine and the documentation screenshots.

DIST_VERSION := $(shell sed -n 's/^\#define ADAGIO_VERSION_TEXT "\(.*\)"$$/\1/p' data/Version.h)
DIST_DIR := dist
DIST_STAGE := build/dist/stage
DIST_ZIP := $(DIST_DIR)/Adagiomill-$(DIST_VERSION)-win64.zip
DIST_SETUP := $(DIST_DIR)/Adagiomill-$(DIST_VERSION)-setup.exe
# A Windows helper that reads shortcuts, finds windows and waits for processes under Wine,
# on the driver of the end-to-end suites.
DIST_PROBE := build/install/adagio-probe.exe
DIST_PROBE_SOURCES := tests/install/ProbeMain.cpp tests/ui/Driver.cpp tests/ui/Driver.h ui/resource.h

.PHONY: dist test-install screenshots
TEST_TARGETS += test-install

dist: win
	@tools/installer/package.sh $(WIN)/app/Adagiomill.exe $(DIST_STAGE) $(DIST_DIR) \
		$(WIN)/cli/adgcheck.exe $(WIN)/cli/fortune2adg.exe

$(DIST_PROBE): $(DIST_PROBE_SOURCES) | deps
	@mkdir -p $(dir $@)
	@x86_64-w64-mingw32-g++-posix -std=c++17 -O2 -Wall -Wextra -DWIN32_LEAN_AND_MEAN -DNOMINMAX \
		-Iui -Itests/ui -static -o $@ $(filter %.cpp,$^) -lole32 -luuid

# Its own Wine prefix, so the installs never meet the other suites' program folders.
test-install: dist $(DIST_PROBE)
	@ADAGIO_BUILD=$(CURDIR)/build/install tools/with-wine.sh \
		tests/install/roundtrip.sh $(DIST_SETUP) $(DIST_PROBE) $(DIST_STAGE) $(DIST_ZIP)

screenshots: win $(DIST_PROBE)
	@ADAGIO_BUILD=$(CURDIR)/build/screenshots tools/with-wine.sh \
		tests/install/screenshots.sh $(WIN)/app/Adagiomill.exe $(DIST_PROBE) docs
