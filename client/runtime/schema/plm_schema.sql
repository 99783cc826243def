-- The PLM database of the client: the tables that the light file module reads, and the
-- client's own object model. Portable SQL: plain INTEGER, VARCHAR and TEXT columns, ids given
-- by the writer (T_IdSequence), no engine-specific features.

-- ---- object ids and classes -------------------------------------------------------------------

CREATE TABLE T_IdSequence (
    NEXT_ID INTEGER NOT NULL
);
INSERT INTO T_IdSequence (NEXT_ID) VALUES (100);

-- Every class of the object model; BASE_CLASS_ID gives the hierarchy, TABLE_NAME the table that
-- holds the objects' properties (OBJ_ID plus one column per property).
CREATE TABLE T_Class (
    CLASS_ID INTEGER NOT NULL PRIMARY KEY,
    NAME VARCHAR(64) NOT NULL,
    BASE_CLASS_ID INTEGER,
    TABLE_NAME VARCHAR(64) NOT NULL
);
CREATE UNIQUE INDEX IX_Class_Name ON T_Class (NAME);

INSERT INTO T_Class (CLASS_ID, NAME, BASE_CLASS_ID, TABLE_NAME) VALUES (1001, 'Document', NULL, 'T_document');
INSERT INTO T_Class (CLASS_ID, NAME, BASE_CLASS_ID, TABLE_NAME) VALUES (1002, 'Drawing', 1001, 'T_drawing');
INSERT INTO T_Class (CLASS_ID, NAME, BASE_CLASS_ID, TABLE_NAME) VALUES (1003, 'CappDocument', 1001, 'T_CappDocument');
INSERT INTO T_Class (CLASS_ID, NAME, BASE_CLASS_ID, TABLE_NAME) VALUES (1004, '3DDocument', 1001, 'T_3DDocument');
INSERT INTO T_Class (CLASS_ID, NAME, BASE_CLASS_ID, TABLE_NAME) VALUES (2001, 'Part', NULL, 'T_Part');
INSERT INTO T_Class (CLASS_ID, NAME, BASE_CLASS_ID, TABLE_NAME) VALUES (3001, 'Folder', NULL, 'T_Folder');
INSERT INTO T_Class (CLASS_ID, NAME, BASE_CLASS_ID, TABLE_NAME) VALUES (3002, 'FolderOfProduct', 3001, 'T_Folder');
INSERT INTO T_Class (CLASS_ID, NAME, BASE_CLASS_ID, TABLE_NAME) VALUES (3003, '3DFolder', 3001, 'T_Folder');
INSERT INTO T_Class (CLASS_ID, NAME, BASE_CLASS_ID, TABLE_NAME) VALUES (4001, 'WorkflowItem', NULL, 'T_WorkflowItem');
INSERT INTO T_Class (CLASS_ID, NAME, BASE_CLASS_ID, TABLE_NAME) VALUES (5250, 'LightFile', NULL, 'T_LightFile');
INSERT INTO T_Class (CLASS_ID, NAME, BASE_CLASS_ID, TABLE_NAME) VALUES (5251, 'StoredFile', NULL, 'T_StoredFile');
INSERT INTO T_Class (CLASS_ID, NAME, BASE_CLASS_ID, TABLE_NAME) VALUES (5300, 'Signature', NULL, 'T_Signature');
INSERT INTO T_Class (CLASS_ID, NAME, BASE_CLASS_ID, TABLE_NAME) VALUES (6001, 'ParentAssemblyPart', NULL, 'T_ObjectLink');
INSERT INTO T_Class (CLASS_ID, NAME, BASE_CLASS_ID, TABLE_NAME) VALUES (6002, 'PartWithDrawings', NULL, 'T_ObjectLink');
INSERT INTO T_Class (CLASS_ID, NAME, BASE_CLASS_ID, TABLE_NAME) VALUES (6003, 'ParentFolder', NULL, 'T_ObjectLink');
INSERT INTO T_Class (CLASS_ID, NAME, BASE_CLASS_ID, TABLE_NAME) VALUES (6004, 'FolderWithDocuments', NULL, 'T_ObjectLink');
INSERT INTO T_Class (CLASS_ID, NAME, BASE_CLASS_ID, TABLE_NAME) VALUES (6005, 'WorkflowAttachment', NULL, 'T_ObjectLink');
INSERT INTO T_Class (CLASS_ID, NAME, BASE_CLASS_ID, TABLE_NAME) VALUES (7001, 'User', NULL, 'T_User');

-- ---- documents of the four classes ------------------------------------------------------------
-- Document -> revision (Mascmp), revision -> iteration (Revcmp), iteration -> file (Itrfile).

CREATE TABLE T_document (
    OBJ_ID INTEGER NOT NULL PRIMARY KEY,
    name VARCHAR(255),
    filetype VARCHAR(32),
    DocNumber VARCHAR(64)
);
CREATE TABLE T_DocumentItrfile (
    OBJ_ID INTEGER NOT NULL PRIMARY KEY,
    roleA_id INTEGER NOT NULL,
    roleB_id INTEGER NOT NULL,
    ROLEB_CLASS_ID INTEGER NOT NULL,
    CURRENT_ITERATION INTEGER NOT NULL DEFAULT 0,
    CURRENT_REVISION INTEGER NOT NULL DEFAULT 0,
    QUALIFICATION_ID INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX IX_DocumentItrfile_A ON T_DocumentItrfile (roleA_id);
CREATE INDEX IX_DocumentItrfile_B ON T_DocumentItrfile (roleB_id);
CREATE TABLE TI_DocumentRevcmp3212 (
    OBJ_ID INTEGER NOT NULL PRIMARY KEY,
    roleA_id INTEGER NOT NULL,
    roleB_id INTEGER NOT NULL,
    ROLEB_CLASS_ID INTEGER NOT NULL DEFAULT 0,
    CURRENT_ITERATION INTEGER NOT NULL DEFAULT 0,
    CURRENT_REVISION INTEGER NOT NULL DEFAULT 0,
    QUALIFICATION_ID INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX IX_DocumentRevcmp_A ON TI_DocumentRevcmp3212 (roleA_id);
CREATE INDEX IX_DocumentRevcmp_B ON TI_DocumentRevcmp3212 (roleB_id);
CREATE TABLE TI_DocumentMascmp1001 (
    OBJ_ID INTEGER NOT NULL PRIMARY KEY,
    roleA_id INTEGER NOT NULL,
    roleB_id INTEGER NOT NULL,
    ROLEB_CLASS_ID INTEGER NOT NULL DEFAULT 0,
    CURRENT_ITERATION INTEGER NOT NULL DEFAULT 0,
    CURRENT_REVISION INTEGER NOT NULL DEFAULT 0,
    QUALIFICATION_ID INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX IX_DocumentMascmp_A ON TI_DocumentMascmp1001 (roleA_id);
CREATE INDEX IX_DocumentMascmp_B ON TI_DocumentMascmp1001 (roleB_id);

CREATE TABLE T_drawing (
    OBJ_ID INTEGER NOT NULL PRIMARY KEY,
    name VARCHAR(255),
    filetype VARCHAR(32),
    DocNumber VARCHAR(64)
);
CREATE TABLE T_drawingItrfile (
    OBJ_ID INTEGER NOT NULL PRIMARY KEY,
    roleA_id INTEGER NOT NULL,
    roleB_id INTEGER NOT NULL,
    ROLEB_CLASS_ID INTEGER NOT NULL,
    CURRENT_ITERATION INTEGER NOT NULL DEFAULT 0,
    CURRENT_REVISION INTEGER NOT NULL DEFAULT 0,
    QUALIFICATION_ID INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX IX_drawingItrfile_A ON T_drawingItrfile (roleA_id);
CREATE INDEX IX_drawingItrfile_B ON T_drawingItrfile (roleB_id);
CREATE TABLE TI_drawingRevcmp3220 (
    OBJ_ID INTEGER NOT NULL PRIMARY KEY,
    roleA_id INTEGER NOT NULL,
    roleB_id INTEGER NOT NULL,
    ROLEB_CLASS_ID INTEGER NOT NULL DEFAULT 0,
    CURRENT_ITERATION INTEGER NOT NULL DEFAULT 0,
    CURRENT_REVISION INTEGER NOT NULL DEFAULT 0,
    QUALIFICATION_ID INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX IX_drawingRevcmp_A ON TI_drawingRevcmp3220 (roleA_id);
CREATE INDEX IX_drawingRevcmp_B ON TI_drawingRevcmp3220 (roleB_id);
CREATE TABLE TI_drawingMascmp1002 (
    OBJ_ID INTEGER NOT NULL PRIMARY KEY,
    roleA_id INTEGER NOT NULL,
    roleB_id INTEGER NOT NULL,
    ROLEB_CLASS_ID INTEGER NOT NULL DEFAULT 0,
    CURRENT_ITERATION INTEGER NOT NULL DEFAULT 0,
    CURRENT_REVISION INTEGER NOT NULL DEFAULT 0,
    QUALIFICATION_ID INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX IX_drawingMascmp_A ON TI_drawingMascmp1002 (roleA_id);
CREATE INDEX IX_drawingMascmp_B ON TI_drawingMascmp1002 (roleB_id);

CREATE TABLE T_CappDocument (
    OBJ_ID INTEGER NOT NULL PRIMARY KEY,
    name VARCHAR(255),
    filetype VARCHAR(32),
    DocNumber VARCHAR(64)
);
CREATE TABLE T_CappDocumentItrfile (
    OBJ_ID INTEGER NOT NULL PRIMARY KEY,
    roleA_id INTEGER NOT NULL,
    roleB_id INTEGER NOT NULL,
    ROLEB_CLASS_ID INTEGER NOT NULL,
    CURRENT_ITERATION INTEGER NOT NULL DEFAULT 0,
    CURRENT_REVISION INTEGER NOT NULL DEFAULT 0,
    QUALIFICATION_ID INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX IX_CappDocumentItrfile_A ON T_CappDocumentItrfile (roleA_id);
CREATE INDEX IX_CappDocumentItrfile_B ON T_CappDocumentItrfile (roleB_id);
CREATE TABLE TI_CappDocumentRevcmp3228 (
    OBJ_ID INTEGER NOT NULL PRIMARY KEY,
    roleA_id INTEGER NOT NULL,
    roleB_id INTEGER NOT NULL,
    ROLEB_CLASS_ID INTEGER NOT NULL DEFAULT 0,
    CURRENT_ITERATION INTEGER NOT NULL DEFAULT 0,
    CURRENT_REVISION INTEGER NOT NULL DEFAULT 0,
    QUALIFICATION_ID INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX IX_CappDocumentRevcmp_A ON TI_CappDocumentRevcmp3228 (roleA_id);
CREATE INDEX IX_CappDocumentRevcmp_B ON TI_CappDocumentRevcmp3228 (roleB_id);
CREATE TABLE TI_CappDocumentMascmp1003 (
    OBJ_ID INTEGER NOT NULL PRIMARY KEY,
    roleA_id INTEGER NOT NULL,
    roleB_id INTEGER NOT NULL,
    ROLEB_CLASS_ID INTEGER NOT NULL DEFAULT 0,
    CURRENT_ITERATION INTEGER NOT NULL DEFAULT 0,
    CURRENT_REVISION INTEGER NOT NULL DEFAULT 0,
    QUALIFICATION_ID INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX IX_CappDocumentMascmp_A ON TI_CappDocumentMascmp1003 (roleA_id);
CREATE INDEX IX_CappDocumentMascmp_B ON TI_CappDocumentMascmp1003 (roleB_id);

CREATE TABLE T_3DDocument (
    OBJ_ID INTEGER NOT NULL PRIMARY KEY,
    name VARCHAR(255),
    filetype VARCHAR(32),
    DocNumber VARCHAR(64)
);
CREATE TABLE T_3DDocumentItrfile (
    OBJ_ID INTEGER NOT NULL PRIMARY KEY,
    roleA_id INTEGER NOT NULL,
    roleB_id INTEGER NOT NULL,
    ROLEB_CLASS_ID INTEGER NOT NULL,
    CURRENT_ITERATION INTEGER NOT NULL DEFAULT 0,
    CURRENT_REVISION INTEGER NOT NULL DEFAULT 0,
    QUALIFICATION_ID INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX IX_3DDocumentItrfile_A ON T_3DDocumentItrfile (roleA_id);
CREATE INDEX IX_3DDocumentItrfile_B ON T_3DDocumentItrfile (roleB_id);
CREATE TABLE TI_3DDocumentRevcmp3236 (
    OBJ_ID INTEGER NOT NULL PRIMARY KEY,
    roleA_id INTEGER NOT NULL,
    roleB_id INTEGER NOT NULL,
    ROLEB_CLASS_ID INTEGER NOT NULL DEFAULT 0,
    CURRENT_ITERATION INTEGER NOT NULL DEFAULT 0,
    CURRENT_REVISION INTEGER NOT NULL DEFAULT 0,
    QUALIFICATION_ID INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX IX_3DDocumentRevcmp_A ON TI_3DDocumentRevcmp3236 (roleA_id);
CREATE INDEX IX_3DDocumentRevcmp_B ON TI_3DDocumentRevcmp3236 (roleB_id);
CREATE TABLE TI_3DDocumentMascmp1004 (
    OBJ_ID INTEGER NOT NULL PRIMARY KEY,
    roleA_id INTEGER NOT NULL,
    roleB_id INTEGER NOT NULL,
    ROLEB_CLASS_ID INTEGER NOT NULL DEFAULT 0,
    CURRENT_ITERATION INTEGER NOT NULL DEFAULT 0,
    CURRENT_REVISION INTEGER NOT NULL DEFAULT 0,
    QUALIFICATION_ID INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX IX_3DDocumentMascmp_A ON TI_3DDocumentMascmp1004 (roleA_id);
CREATE INDEX IX_3DDocumentMascmp_B ON TI_3DDocumentMascmp1004 (roleB_id);

-- ---- files ------------------------------------------------------------------------------------

-- Content lives in the vault folder next to an embedded database, one file per vault name, or
-- on the server in T_StoredFileContent; SHA256 (lower-case hex) is checked on every copy.
CREATE TABLE T_StoredFile (
    OBJ_ID INTEGER NOT NULL PRIMARY KEY,
    name VARCHAR(255),
    VAULT_NAME VARCHAR(255) NOT NULL,
    FILE_SIZE INTEGER NOT NULL DEFAULT 0,
    SHA256 CHAR(64)
);

-- The server's vault: content in chunks numbered from 0 (an empty content is one empty chunk).
CREATE TABLE T_StoredFileContent (
    VAULT_NAME VARCHAR(255) NOT NULL,
    CHUNK_NO INTEGER NOT NULL,
    DATA BYTEA NOT NULL,
    PRIMARY KEY (VAULT_NAME, CHUNK_NO)
);

CREATE TABLE T_LightFile (
    OBJ_ID INTEGER NOT NULL PRIMARY KEY,
    name VARCHAR(255),
    filetype VARCHAR(32),
    STOREDFILE_ID INTEGER
);
CREATE INDEX IX_LightFile_StoredFile ON T_LightFile (STOREDFILE_ID);

-- ---- signatures -------------------------------------------------------------------------------

CREATE TABLE T_DocumentSignature (
    OBJ_ID INTEGER NOT NULL PRIMARY KEY,
    roleA_id INTEGER NOT NULL,
    ROLEA_CLASS_ID INTEGER NOT NULL,
    roleB_id INTEGER NOT NULL,
    Rev_id INTEGER NOT NULL
);
CREATE INDEX IX_DocumentSignature_Rev ON T_DocumentSignature (Rev_id);

CREATE TABLE T_Signature (
    OBJ_ID INTEGER NOT NULL PRIMARY KEY,
    creationdate VARCHAR(32),
    DocWfState VARCHAR(64),
    WfTemplate VARCHAR(64),
    UserID INTEGER
);

CREATE TABLE T_SignatureCfg (
    OBJ_ID INTEGER NOT NULL PRIMARY KEY,
    UserID INTEGER NOT NULL,
    Format INTEGER,
    SignContent VARCHAR(255),
    Font VARCHAR(255),
    PictureStyle VARCHAR(255),
    PictureFileID INTEGER
);
CREATE INDEX IX_SignatureCfg_User ON T_SignatureCfg (UserID);

CREATE TABLE T_SignatureLocationCfg (
    OBJ_ID INTEGER NOT NULL PRIMARY KEY,
    WfState VARCHAR(64),
    WfTemplate VARCHAR(64),
    NameLocation VARCHAR(255),
    TimeLocation VARCHAR(255)
);
CREATE INDEX IX_SignatureLocationCfg_State ON T_SignatureLocationCfg (WfState, WfTemplate);

-- ---- structure: parts, folders and their relations --------------------------------------------

CREATE TABLE T_Part (
    OBJ_ID INTEGER NOT NULL PRIMARY KEY,
    name VARCHAR(255),
    PartNumber VARCHAR(64)
);

CREATE TABLE T_Folder (
    OBJ_ID INTEGER NOT NULL PRIMARY KEY,
    CLASS_ID INTEGER NOT NULL,
    name VARCHAR(255)
);

-- One row per link of a relation class ("ParentAssemblyPart", "PartWithDrawings",
-- "ParentFolder", "FolderWithDocuments", "WorkflowAttachment"); SEQ keeps the order in which
-- links were made.
CREATE TABLE T_ObjectLink (
    OBJ_ID INTEGER NOT NULL PRIMARY KEY,
    RELATION_CLASS_ID INTEGER NOT NULL,
    roleA_id INTEGER NOT NULL,
    ROLEA_CLASS_ID INTEGER NOT NULL,
    roleB_id INTEGER NOT NULL,
    ROLEB_CLASS_ID INTEGER NOT NULL,
    SEQ INTEGER NOT NULL
);
CREATE INDEX IX_ObjectLink_A ON T_ObjectLink (RELATION_CLASS_ID, roleA_id);
CREATE INDEX IX_ObjectLink_B ON T_ObjectLink (RELATION_CLASS_ID, roleB_id);

-- ---- workflow: items, their objects attached by "WorkflowAttachment" links ---------------------

CREATE TABLE T_WorkflowItem (
    OBJ_ID INTEGER NOT NULL PRIMARY KEY,
    name VARCHAR(255),
    WfTemplate VARCHAR(64),
    WfState VARCHAR(64)
);

-- ---- users, rights and system settings --------------------------------------------------------

CREATE TABLE T_User (
    OBJ_ID INTEGER NOT NULL PRIMARY KEY,
    LOGIN VARCHAR(64) NOT NULL,
    name VARCHAR(255)
);
CREATE UNIQUE INDEX IX_User_Login ON T_User (LOGIN);

-- A right of a user on every object: behavior ("Documentation") and method ("OutputFile").
CREATE TABLE T_UserRight (
    OBJ_ID INTEGER NOT NULL PRIMARY KEY,
    UserID INTEGER NOT NULL,
    Behavior VARCHAR(64) NOT NULL,
    Method VARCHAR(64) NOT NULL
);
CREATE INDEX IX_UserRight_User ON T_UserRight (UserID);

CREATE TABLE T_GlobalParam (
    NAME VARCHAR(64) NOT NULL PRIMARY KEY,
    VALUE INTEGER NOT NULL
);

-- Settings of the client itself ("CURRENT_USER": the login the client runs as).
CREATE TABLE T_ClientSetting (
    NAME VARCHAR(64) NOT NULL PRIMARY KEY,
    VALUE VARCHAR(255)
);
