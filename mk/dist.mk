# Release packages, the installer round trip under Wine and the documentation screenshots.
#   make dist [DIST_URL=...] [DIST_HOMEPAGE=...] [SIGN_KEY=key SIGN_CERT=cert [SIGN_TIMESTAMP=url]]
#   make dist-check   two clean builds of the last commit in two folders give the same bytes

DIST_VERSION := $(shell sed -n 's/^\#define ADAGIO_VERSION_TEXT "\(.*\)"$$/\1/p' data/Version.h)
DIST_DIR := dist
DIST_STAGE := build/dist/stage
DIST_ZIP := $(DIST_DIR)/Adagiomill-$(DIST_VERSION)-win64.zip
DIST_SETUP := $(DIST_DIR)/Adagiomill-$(DIST_VERSION)-setup.exe
# A Windows helper that reads shortcuts, finds windows and waits for processes under Wine,
# on the driver of the end-to-end suites.
DIST_PROBE := build/install/adagio-probe.exe
DIST_PROBE_SOURCES := tests/install/ProbeMain.cpp tests/ui/Driver.cpp tests/ui/Driver.h ui/resource.h

# Every time stamp in the downloads is the last commit's; outside a clone, give it.
SOURCE_DATE_EPOCH ?= $(shell git log -1 --format=%ct 2>/dev/null)
ifneq ($(SOURCE_DATE_EPOCH),)
export SOURCE_DATE_EPOCH
endif
# Where the downloads will be published, for the package managers' manifests.
DIST_URL ?= https://example.invalid/adagiomill/download/v$(DIST_VERSION)
DIST_HOMEPAGE ?= https://example.invalid/adagiomill
export DIST_URL DIST_HOMEPAGE SIGN_KEY SIGN_CERT SIGN_TIMESTAMP
DIST_PROGRAMS := $(WIN)/app/Adagiomill.exe $(WIN)/cli/adgcheck.exe $(WIN)/cli/fortune2adg.exe

.PHONY: dist dist-check test-install screenshots
TEST_TARGETS += test-install

dist: win-program
	@tools/installer/package.sh $(DIST_PROGRAMS) $(DIST_STAGE) $(DIST_DIR)

dist-check: deps
	@tests/install/reproducible.sh build/repro

$(DIST_PROBE): $(DIST_PROBE_SOURCES) | deps
	@mkdir -p $(dir $@)
	@x86_64-w64-mingw32-g++-posix -std=c++17 -O2 -Wall -Wextra -DWIN32_LEAN_AND_MEAN -DNOMINMAX \
		-Iui -Itests/ui -static -o $@ $(filter %.cpp,$^) -lole32 -luuid

# Packed and signed with a throwaway certificate, the signatures and the manifests checked,
# then the round trip in a Wine prefix of its own, so the installs never meet the other
# suites' program folders.
TEST_DIST := build/install/dist
test-install: win-program $(DIST_PROBE)
	@tests/install/signing.sh build/install $(DIST_PROGRAMS)
	@/usr/bin/python3 tests/install/check-manifests.py $(TEST_DIST) $(DIST_VERSION) "$(DIST_URL)"
	@ADAGIO_BUILD=$(CURDIR)/build/install SIGN_CA=$(CURDIR)/build/install/signing/cert.pem \
		tools/with-wine.sh tests/install/roundtrip.sh $(TEST_DIST)/$(notdir $(DIST_SETUP)) \
		$(DIST_PROBE) build/install/stage $(TEST_DIST)/$(notdir $(DIST_ZIP))

screenshots: win $(DIST_PROBE)
	@ADAGIO_BUILD=$(CURDIR)/build/screenshots tools/with-wine.sh \
		tests/install/screenshots.sh $(WIN)/app/Adagiomill.exe $(DIST_PROBE) docs
