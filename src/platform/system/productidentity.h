// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Product identity: the texts every window uses for the product's name and addresses. Empty
// until InitProductIdentity has run, which program entry does before anything else.
#pragma once

#include <QString>

extern QString MakerDomain;
extern QString ProductTitle;
extern QString ProductId;
extern QString WebSiteUrl;
extern QString HomePageUrl;
extern QString SupportEmail;

// Fills the values above and makes ProductTitle the application title.
void InitProductIdentity();

// The application title: the caption of the standard message boxes.
QString ApplicationTitle();
